// The fonts an instance has handed out. A handle stands for one face at one
// size; faces are resolved once per family name through fontconfig, so
// "Arial" becomes whatever metric-compatible face the system offers.
#ifndef DYNAPDF_FONT_REGISTRY_H
#define DYNAPDF_FONT_REGISTRY_H

#include <cairo.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dynapdf {

struct FontFaceRelease {
  void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using FontFacePtr = std::unique_ptr<cairo_font_face_t, FontFaceRelease>;

struct FontChoice {
  cairo_font_face_t* face;  // owned by the registry
  double size;              // points
};

class FontRegistry {
 public:
  // Returns the handle for the family at the size, adding it on first use.
  // Returns -1 when the family cannot be resolved or the size is not usable.
  int select(const std::string& family, double size);

  // The font behind a handle that select() returned.
  const FontChoice& at(int handle) const { return m_fonts.at(static_cast<size_t>(handle)); }

 private:
  cairo_font_face_t* faceFor(const std::string& family);

  std::map<std::string, FontFacePtr> m_faces;  // by the family name asked for
  std::vector<FontChoice> m_fonts;             // index = handle
};

}  // namespace dynapdf

#endif
