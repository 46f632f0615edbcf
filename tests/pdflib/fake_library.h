#pragma once
// Access to a fake PDF library's log from a test: the test opens the same
// library file, so it shares the library's state with the binding.

#include <dlfcn.h>

#include <map>
#include <stdexcept>
#include <string>

#include "platform/library_loader.h"

namespace lumora::test {

class FakeLibrary {
 public:
  // `name` as the binding is given it, e.g. "fakepdf.dll".
  explicit FakeLibrary(const std::string& name)
      : m_module(::dlopen((std::string(LUMORA_BIN_DIR) + "/" + sharedLibraryFileName(name)).c_str(),
                          RTLD_NOW | RTLD_LOCAL)) {
    if (!m_module) throw std::runtime_error("cannot open fake library " + name);
    reset();
  }
  ~FakeLibrary() { ::dlclose(m_module); }
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;

  std::string log() const { return call<const char* (*)()>("fakeLog")(); }
  void reset() const { call<void (*)()>("fakeReset")(); }
  void setResult(int result) const { call<void (*)(int)>("fakeSetResult")(result); }
  void setFontResult(int result) const { call<void (*)(int)>("fakeSetFontResult")(result); }

 private:
  template <typename Fn>
  Fn call(const char* name) const {
    return reinterpret_cast<Fn>(::dlsym(m_module, name));
  }
  void* m_module;
};

// A loader that counts the look-ups and loads the real way.
class CountingLoader : public LibraryLoader {
 public:
  ModuleHandle load(std::u16string_view fileName) override {
    ++loads;
    return failLoads > 0 && failLoads-- ? nullptr : systemLibraryLoader().load(fileName);
  }
  void* symbol(ModuleHandle module, const char* name) override {
    ++lookups[name];
    return systemLibraryLoader().symbol(module, name);
  }
  void unload(ModuleHandle module) override {
    ++unloads;
    systemLibraryLoader().unload(module);
  }
  std::string loadError() const override { return systemLibraryLoader().loadError(); }

  int loads = 0;
  int unloads = 0;
  int failLoads = 0;  // how many loads fail before they succeed
  std::map<std::string, int> lookups;
};

}  // namespace lumora::test
