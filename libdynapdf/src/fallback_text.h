// The library's side of the text module (text_module.h): loads
// dynapdf-pango.so from the library's own folder the first time a text
// needs it, and keeps one module state per instance. Without the module,
// such texts are drawn by cairo alone, with boxes for the missing glyphs.
#ifndef DYNAPDF_FALLBACK_TEXT_H
#define DYNAPDF_FALLBACK_TEXT_H

#include <cairo.h>

#include <optional>
#include <string>

#include "text_module.h"

namespace dynapdf {

class FallbackText {
 public:
  FallbackText() = default;
  FallbackText(const FallbackText&) = delete;
  FallbackText& operator=(const FallbackText&) = delete;
  ~FallbackText();

  // The advance width in points; nothing when the module is not there.
  std::optional<double> width(const std::string& family, double size, const std::string& utf8);
  // Draws from the current point of `cr` (the baseline's start). False when
  // the module is not there.
  bool draw(cairo_t* cr, const std::string& family, double size, const std::string& utf8);

 private:
  bool ready();

  const DynaPdfTextModule* m_module = nullptr;
  DynaPdfTextContext* m_context = nullptr;
  bool m_tried = false;
};

}  // namespace dynapdf

#endif
