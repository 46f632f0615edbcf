#pragma once
// Loading a shared library while the program runs and finding its functions
// by name. A Windows-style name such as "dynapdf.dll" stands for our
// "libdynapdf.so", looked for first in the running program's folder, then
// along the usual library search path; a name with a "/" is taken as a path.

#include <string>
#include <string_view>

namespace lumora {

using ModuleHandle = void*;

ModuleHandle LoadLibraryW(std::u16string_view fileName);
void* GetProcAddress(ModuleHandle module, const char* name);
void FreeLibrary(ModuleHandle module);

// The same three operations behind one seam, so tests can watch or replace them.
class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  virtual ModuleHandle load(std::u16string_view fileName) = 0;
  virtual void* symbol(ModuleHandle module, const char* name) = 0;
  virtual void unload(ModuleHandle module) = 0;
};

// The loader that calls the three functions above.
LibraryLoader& systemLibraryLoader();

// "dynapdf.dll" -> "libdynapdf.so"; other names are returned unchanged.
std::string sharedLibraryFileName(std::string_view windowsName);

}  // namespace lumora
