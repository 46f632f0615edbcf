#include "app/manual_lookup.h"

#include <sys/stat.h>

namespace lumora {

std::vector<std::string> manualFolders(const std::string& programFolder) {
  return {programFolder + "/" + LUMORA_DOC_DIR_FROM_BINDIR, LUMORA_DOC_DIR_FULL,
          programFolder + "/../doc"};
}

std::optional<std::string> findManual(const std::string& programFolder) {
  for (const std::string& folder : manualFolders(programFolder)) {
    const std::string path = folder + "/" + kManualFileName;
    struct stat file {};
    if (::stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode)) return path;
  }
  return std::nullopt;
}

}  // namespace lumora
