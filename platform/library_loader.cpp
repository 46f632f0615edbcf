#include "platform/library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "platform/current_directory.h"

namespace lumora {
namespace {

// The running program's folder; empty when it cannot be told (no /proc).
std::string executableFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return {};
  return folderOf(std::string_view(path, static_cast<std::size_t>(length)));
}

// UTF-16 as the file system spells names: UTF-8; a lone surrogate becomes
// U+FFFD.
std::string utf16ToUtf8(std::u16string_view text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::string& loadErrorOfThisThread() {
  thread_local std::string error;
  return error;
}

class SystemLibraryLoader final : public LibraryLoader {
 public:
  ModuleHandle load(std::u16string_view fileName) override { return LoadLibraryW(fileName); }
  void* symbol(ModuleHandle module, const char* name) override {
    return GetProcAddress(module, name);
  }
  void unload(ModuleHandle module) override { FreeLibrary(module); }
  std::string loadError() const override { return lastLoadError(); }
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

std::vector<std::string> libraryCandidates(std::string_view name,
                                           std::string_view executableFolder) {
  std::vector<std::string> candidates;
  if (name.find('/') == std::string_view::npos) {
    if (!executableFolder.empty())
      candidates.push_back(std::string(executableFolder) + "/" + std::string(name));
#ifdef LUMORA_PRIVATE_LIBDIR
    // The installed program's private library folder.
    constexpr std::string_view kPrivateFolder = LUMORA_PRIVATE_LIBDIR;
    if (!kPrivateFolder.empty())
      candidates.push_back(std::string(kPrivateFolder) + "/" + std::string(name));
#endif
  }
  candidates.emplace_back(name);
  return candidates;
}

ModuleHandle LoadLibraryW(std::u16string_view fileName) {
  std::string& error = loadErrorOfThisThread();
  error.clear();
  const std::string name = sharedLibraryFileName(utf16ToUtf8(fileName));
  if (name.empty() || name.find('\0') != std::string::npos) {
    error = "invalid library name";
    return nullptr;
  }
  // The detail names a library that was found but could not be loaded (a
  // library it needs is missing, say) before one that was not found at all.
  std::string notFound;
  for (const std::string& candidate : libraryCandidates(name, executableFolder())) {
    if (ModuleHandle module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      error.clear();
      return module;
    }
    const char* why = ::dlerror();
    const std::string text = why ? why : candidate + ": cannot be loaded";
    const bool exists =
        candidate.find('/') != std::string::npos && ::access(candidate.c_str(), F_OK) == 0;
    if (exists && error.empty()) error = text;
    notFound = text;
  }
  if (error.empty()) error = notFound;
  return nullptr;
}

const std::string& lastLoadError() {
  return loadErrorOfThisThread();
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
