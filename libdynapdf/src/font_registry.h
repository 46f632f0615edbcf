// The fonts an instance has handed out. A handle stands for one face at one
// size; faces are resolved once per family name through fontconfig, so
// "Arial" becomes whatever metric-compatible face the system offers. Each
// face keeps the characters it covers, so a text it can draw alone is told
// from one that needs the text module's fallback fonts.
#ifndef DYNAPDF_FONT_REGISTRY_H
#define DYNAPDF_FONT_REGISTRY_H

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dynapdf {

struct FontFaceRelease {
  void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using FontFacePtr = std::unique_ptr<cairo_font_face_t, FontFaceRelease>;

struct ScaledFontRelease {
  void operator()(cairo_scaled_font_t* font) const { cairo_scaled_font_destroy(font); }
};
using ScaledFontPtr = std::unique_ptr<cairo_scaled_font_t, ScaledFontRelease>;

struct CharSetRelease {
  void operator()(FcCharSet* set) const { FcCharSetDestroy(set); }
};
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetRelease>;

// One resolved family.
struct FontFace {
  std::string family;  // the family fontconfig resolved the name to
  FontFacePtr face;
  CharSetPtr coverage;  // null when fontconfig did not say
};

struct FontChoice {
  const FontFace* face;  // owned by the registry
  double size;           // points
};

class FontRegistry {
 public:
  // Returns the handle for the family at the size, adding it on first use.
  // Returns -1 when the family cannot be resolved or the size is not usable.
  int select(const std::string& family, double size);

  // The font behind a handle that select() returned.
  const FontChoice& at(int handle) const { return m_fonts.at(static_cast<size_t>(handle)); }

  // Whether cairo draws `utf8` in the font alone, glyph for glyph, as the
  // text module would: the face has every character, and each belongs to a
  // script that needs no shaping. Everything else goes to the text module.
  bool drawsAlone(int handle, std::string_view utf8) const;

  // The advance width in points of a text that drawsAlone() accepts.
  double plainWidth(int handle, std::string_view utf8);

  // The font at its size, unhinted as the PDF surface sets it; made on
  // first use and kept, so measuring and drawing share its glyphs.
  cairo_scaled_font_t* scaledFont(int handle);

 private:
  FontFace* faceFor(const std::string& family);
  double advance(int handle, char32_t character);

  std::map<std::string, std::unique_ptr<FontFace>> m_faces;  // by the family name asked for
  std::vector<FontChoice> m_fonts;                           // index = handle
  std::vector<ScaledFontPtr> m_scaled;                       // index = handle, made on first use
  // Each character's advance in points, index = handle, filled on first use.
  std::vector<std::unordered_map<char32_t, double>> m_advances;
};

}  // namespace dynapdf

#endif
