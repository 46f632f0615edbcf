#include "font_registry.h"

#include <cairo-ft.h>
#include FT_ADVANCES_H

#include <cmath>
#include <limits>

#include "utf16.h"

namespace dynapdf {
namespace {

struct PatternRelease {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternRelease>;

// The regular face of a family, before any substitution.
PatternPtr regularPattern(const char* family) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  const auto* name = reinterpret_cast<const FcChar8*>(family);
  if (!FcPatternAddString(pattern.get(), FC_FAMILY, name) ||
      !FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR) ||
      !FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN)) {
    return nullptr;
  }
  return pattern;
}

// Resolves a family name the way fontconfig's aliases do ("Arial" names a
// metric-compatible family): the best match, whose family and characters
// the face takes over.
PatternPtr resolve(const std::string& family) {
  PatternPtr pattern = regularPattern(family.c_str());
  if (!pattern) return nullptr;
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return PatternPtr(FcFontMatch(nullptr, pattern.get(), &result));
}

// Scripts whose letters stand one glyph per character, left to right, with
// no marks to place: what cairo draws as well as any shaper. Combining marks,
// right-to-left and complex scripts, and the joiners and direction marks of
// punctuation lie outside.
bool needsNoShaping(char32_t c) {
  if (c < 0x20) return false;  // control characters: the text module makes them blanks
  if (c < 0x300) return c < 0x7F || c >= 0xA0;
  if (c >= 0x370 && c < 0x483) return true;    // Greek, Cyrillic
  if (c >= 0x48A && c < 0x530) return true;    // Cyrillic and its supplement
  if (c >= 0x1E00 && c < 0x2000) return true;  // Latin Extended Additional, Greek Extended
  if (c >= 0x2010 && c < 0x2028) return true;  // dashes, quotes, bullets
  if (c >= 0x2030 && c < 0x2060) return true;  // per mille, primes, guillemets
  if (c >= 0x20A0 && c < 0x20D0) return true;  // currency signs
  return c >= 0x2100 && c < 0x2190;            // letterlike signs, numerals
}

}  // namespace

FontFace* FontRegistry::faceFor(const std::string& family) {
  if (auto known = m_faces.find(family); known != m_faces.end()) return known->second.get();

  PatternPtr match = resolve(family);
  FcChar8* found = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &found) != FcResultMatch) {
    return nullptr;
  }
  auto face = std::make_unique<FontFace>();
  face->family = reinterpret_cast<const char*>(found);
  FcCharSet* coverage = nullptr;
  if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &coverage) == FcResultMatch) {
    face->coverage.reset(FcCharSetCopy(coverage));
  }
  // The face is the file fontconfig matched: cairo opens it as it is for
  // every size instead of matching the family again for each.
  face->face.reset(cairo_ft_font_face_create_for_pattern(match.get()));
  if (cairo_font_face_status(face->face.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return m_faces.emplace(family, std::move(face)).first->second.get();
}

int FontRegistry::select(const std::string& family, double size) {
  if (family.empty() || !std::isfinite(size) || size <= 0) return -1;
  const FontFace* face = faceFor(family);
  if (face == nullptr) return -1;
  for (size_t handle = 0; handle < m_fonts.size(); ++handle) {
    if (m_fonts[handle].face == face && m_fonts[handle].size == size) {
      return static_cast<int>(handle);
    }
  }
  if (m_fonts.size() >= static_cast<size_t>(std::numeric_limits<int>::max())) return -1;
  m_fonts.push_back({face, size});
  m_scaled.emplace_back();
  m_advances.emplace_back();
  return static_cast<int>(m_fonts.size() - 1);
}

bool FontRegistry::drawsAlone(int handle, std::string_view utf8) const {
  const FcCharSet* coverage = at(handle).face->coverage.get();
  if (coverage == nullptr) return false;
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Unit unit = utf8UnitAt(utf8, at);
    if (!needsNoShaping(unit.character) || !FcCharSetHasChar(coverage, unit.character)) {
      return false;
    }
    at += unit.length;
  }
  return true;
}

cairo_scaled_font_t* FontRegistry::scaledFont(int handle) {
  ScaledFontPtr& scaled = m_scaled.at(static_cast<size_t>(handle));
  if (!scaled) {
    const FontChoice& font = at(handle);
    cairo_matrix_t size;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&size, font.size, font.size);
    cairo_matrix_init_identity(&identity);
    // Unhinted widths, as the PDF surface sets them.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    scaled.reset(cairo_scaled_font_create(font.face->face.get(), &size, &identity, options));
    cairo_font_options_destroy(options);
  }
  return scaled.get();
}

double FontRegistry::advance(int handle, char32_t character) {
  // The font's own advance in its design units, read without loading the
  // glyph's outline: what cairo advances by when metrics are not hinted.
  cairo_scaled_font_t* scaled = scaledFont(handle);
  FT_Face face = cairo_ft_scaled_font_lock_face(scaled);
  double width = 0;
  FT_Fixed units = 0;
  if (face != nullptr && face->units_per_EM != 0 &&
      FT_Get_Advance(face, FT_Get_Char_Index(face, character),
                     FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING, &units) == 0) {
    width = static_cast<double>(units) * at(handle).size / face->units_per_EM;
  }
  if (face != nullptr) cairo_ft_scaled_font_unlock_face(scaled);
  return width;
}

double FontRegistry::plainWidth(int handle, std::string_view utf8) {
  // cairo sets such a text glyph after glyph, each advancing by its own
  // width, so the text is as wide as its characters' advances together; each
  // is read from the font once.
  std::unordered_map<char32_t, double>& advances = m_advances.at(static_cast<size_t>(handle));
  double width = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Unit unit = utf8UnitAt(utf8, at);
    auto known = advances.find(unit.character);
    if (known == advances.end()) {
      known = advances.emplace(unit.character, advance(handle, unit.character)).first;
    }
    width += known->second;
    at += unit.length;
  }
  return width;
}

}  // namespace dynapdf
