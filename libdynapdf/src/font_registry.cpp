#include "font_registry.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <limits>

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
// metric-compatible family) and returns the family that was found.
std::string resolveFamily(const std::string& family) {
  PatternPtr pattern = regularPattern(family.c_str());
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* found = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &found) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(found);
}

}  // namespace

cairo_font_face_t* FontRegistry::faceFor(const std::string& family) {
  if (auto known = m_faces.find(family); known != m_faces.end()) return known->second.get();

  const std::string resolved = resolveFamily(family);
  if (resolved.empty()) return nullptr;
  // The face names the resolved family but leaves the final match to cairo,
  // which adds the PDF surface's own font options (no hinting) when it
  // creates the scaled font.
  PatternPtr pattern = regularPattern(resolved.c_str());
  if (!pattern) return nullptr;
  FontFacePtr face(cairo_ft_font_face_create_for_pattern(pattern.get()));
  if (cairo_font_face_status(face.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return m_faces.emplace(family, std::move(face)).first->second.get();
}

int FontRegistry::select(const std::string& family, double size) {
  if (family.empty() || !std::isfinite(size) || size <= 0) return -1;
  cairo_font_face_t* face = faceFor(family);
  if (face == nullptr) return -1;
  for (size_t handle = 0; handle < m_fonts.size(); ++handle) {
    if (m_fonts[handle].face == face && m_fonts[handle].size == size) {
      return static_cast<int>(handle);
    }
  }
  if (m_fonts.size() >= static_cast<size_t>(std::numeric_limits<int>::max())) return -1;
  m_fonts.push_back({face, size});
  return static_cast<int>(m_fonts.size() - 1);
}

}  // namespace dynapdf
