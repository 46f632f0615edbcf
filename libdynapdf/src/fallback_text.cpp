#include "fallback_text.h"

#include <dlfcn.h>

namespace dynapdf {
namespace {

// The folder this library was loaded from, with its final "/".
std::string ownFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  const std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Loaded once per process and never unloaded: GLib cannot be unloaded safely.
const DynaPdfTextModule* loadModule() {
  static const DynaPdfTextModule* const module = []() -> const DynaPdfTextModule* {
    const std::string folder = ownFolder();
    if (folder.empty()) return nullptr;
    void* library = dlopen((folder + kTextModuleFile).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    const auto entry = reinterpret_cast<TextModuleEntry>(dlsym(library, kTextModuleEntry));
    const DynaPdfTextModule* table = entry != nullptr ? entry() : nullptr;
    if (table == nullptr || table->version != kTextModuleVersion) return nullptr;
    return table;
  }();
  return module;
}

}  // namespace

FallbackText::~FallbackText() {
  if (m_context != nullptr) m_module->destroy(m_context);
}

bool FallbackText::ready() {
  if (!m_tried) {
    m_tried = true;
    m_module = loadModule();
    if (m_module != nullptr) m_context = m_module->create();
  }
  return m_context != nullptr;
}

std::optional<double> FallbackText::width(const std::string& family, double size,
                                          const std::string& utf8) {
  double width = 0;
  if (!ready() || !m_module->measure(m_context, family.c_str(), size, utf8.c_str(), &width)) {
    return std::nullopt;
  }
  return width;
}

bool FallbackText::draw(cairo_t* cr, const std::string& family, double size,
                        const std::string& utf8) {
  return ready() && m_module->draw(m_context, cr, family.c_str(), size, utf8.c_str());
}

}  // namespace dynapdf
