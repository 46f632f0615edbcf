#include "platform/current_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/text_file.h"

namespace lumora {

std::string GetCurrentDirectoryA() {
  std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
  if (!path) throwInOutError(errno);
  // A directory outside the process's root comes back "(unreachable)/...".
  if (path.get()[0] != '/') throwInOutError(ENOENT);
  return std::string(path.get());
}

void setCurrentDirectory(const std::string& directory) {
  if (::chdir(directory.c_str()) != 0) throwInOutError(errno);
}

std::string folderOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

}  // namespace lumora
