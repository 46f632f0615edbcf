#pragma once
// Loading a shared library while the program runs and finding its functions
// by name. A Windows-style name such as "dynapdf.dll" stands for our
// "libdynapdf.so", looked for in the folders libraryCandidates() lists; a
// name with a "/" is taken as a path. Names go to the file system in UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

using ModuleHandle = void*;

ModuleHandle LoadLibraryW(std::u16string_view fileName);
void* GetProcAddress(ModuleHandle module, const char* name);
void FreeLibrary(ModuleHandle module);

// Why the last LoadLibraryW of this thread failed, in the dynamic loader's
// words ("libcairo.so.2: cannot open shared object file: ..."); empty after
// a success.
const std::string& lastLoadError();

// The same operations behind one seam, so tests can watch or replace them.
class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  virtual ModuleHandle load(std::u16string_view fileName) = 0;
  virtual void* symbol(ModuleHandle module, const char* name) = 0;
  virtual void unload(ModuleHandle module) = 0;
  // Why the last load failed, for the message's detail; may be empty.
  virtual std::string loadError() const { return {}; }
};

// The loader that calls the functions above.
LibraryLoader& systemLibraryLoader();

// "dynapdf.dll" -> "libdynapdf.so"; other names are returned unchanged.
std::string sharedLibraryFileName(std::string_view windowsName);

// What LoadLibraryW hands to the dynamic loader for a bare library name, in
// order: the name in the running program's folder (when that is known), in
// the program's private library folder (when it was built with one), then the
// bare name for the usual library search path.
std::vector<std::string> libraryCandidates(std::string_view name,
                                           std::string_view executableFolder);

}  // namespace lumora
