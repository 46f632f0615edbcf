#include "cli/printer_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "cli/printer_module.h"
#include "platform/current_directory.h"

namespace lumora::cli {
namespace {

// The private library folder, as installed: relative to the program's
// folder, and as an absolute path for a system without /proc.
constexpr const char* kPrivateLibdirFromProgram = LUMORA_PRIVATE_LIBDIR_FROM_BINDIR;
constexpr const char* kPrivateLibdir = LUMORA_PRIVATE_LIBDIR_FULL;

std::vector<std::string> candidateFolders(const std::string& programFolder) {
  std::vector<std::string> folders;
  if (!programFolder.empty()) {
    folders.push_back(programFolder);
    folders.push_back(programFolder + "/" + kPrivateLibdirFromProgram);
  }
  folders.push_back(kPrivateLibdir);
  return folders;
}

OpenPrinterFunction loadModule(const std::string& programFolder) {
  static OpenPrinterFunction loaded = nullptr;
  if (loaded) return loaded;
  std::string looked;
  for (const std::string& folder : candidateFolders(programFolder)) {
    const std::string path = folder + "/" + kPrinterModuleFile;
    if (::access(path.c_str(), F_OK) != 0) {
      looked += (looked.empty() ? "" : ", ") + folder;
      continue;
    }
    // Found: a module that does not load (a Qt library missing, say) is
    // reported with the loader's reason rather than looked for further.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      const char* reason = ::dlerror();
      throw PrinterUnavailable("cannot load the printer module " + path + ": " +
                               (reason ? reason : "unknown error"));
    }
    loaded = reinterpret_cast<OpenPrinterFunction>(::dlsym(module, kOpenPrinterSymbol));
    if (!loaded) {
      throw PrinterUnavailable("the printer module " + path + " does not fit this program");
    }
    return loaded;
  }
  throw PrinterUnavailable(std::string("printing is not available: the printer module ") +
                           kPrinterModuleFile + " is not installed (looked in " + looked + ")");
}

}  // namespace

std::unique_ptr<Printer> openPrinterModule(const std::string& name,
                                           const std::string& programFolder) {
  const OpenPrinterFunction open = loadModule(programFolder);
  std::string error;
  std::unique_ptr<Printer> printer(open(name.c_str(), &error));
  if (!printer) throw PrinterUnavailable(error);
  return printer;
}

std::string runningProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return {};
  return folderOf(std::string_view(path, static_cast<std::size_t>(length)));
}

}  // namespace lumora::cli
