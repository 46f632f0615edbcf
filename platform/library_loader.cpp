#include "platform/library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "platform/codepage.h"
#include "platform/current_directory.h"

namespace lumora {
namespace {

std::string executableFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return {};
  return folderOf(std::string_view(path, static_cast<std::size_t>(length)));
}

class SystemLibraryLoader final : public LibraryLoader {
 public:
  ModuleHandle load(std::u16string_view fileName) override { return LoadLibraryW(fileName); }
  void* symbol(ModuleHandle module, const char* name) override {
    return GetProcAddress(module, name);
  }
  void unload(ModuleHandle module) override { FreeLibrary(module); }
};

}  // namespace

std::string sharedLibraryFileName(std::string_view windowsName) {
  constexpr std::string_view kSuffix = ".dll";
  if (windowsName.size() > kSuffix.size() && windowsName.ends_with(kSuffix) &&
      windowsName.find('/') == std::string_view::npos) {
    return "lib" + std::string(windowsName.substr(0, windowsName.size() - kSuffix.size())) + ".so";
  }
  return std::string(windowsName);
}

ModuleHandle LoadLibraryW(std::u16string_view fileName) {
  const std::string name = sharedLibraryFileName(utf16ToCp1252(fileName));
  if (name.empty() || name.find('\0') != std::string::npos) return nullptr;
  if (name.find('/') == std::string::npos) {
    const std::string beside = executableFolder() + "/" + name;
    if (ModuleHandle module = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
#ifdef LUMORA_PRIVATE_LIBDIR
    const std::string installed = std::string(LUMORA_PRIVATE_LIBDIR) + "/" + name;
    if (ModuleHandle module = ::dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
#endif
  }
  return ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(ModuleHandle module, const char* name) {
  if (!module || !name) return nullptr;
  return ::dlsym(module, name);
}

void FreeLibrary(ModuleHandle module) {
  if (module) ::dlclose(module);
}

LibraryLoader& systemLibraryLoader() {
  static SystemLibraryLoader loader;
  return loader;
}

}  // namespace lumora
