#include "glyph_boxes.h"

#include <poppler-document.h>
#include <poppler-page.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace lumora::test {
namespace {

constexpr double kAcross = 0.5;     // points
constexpr double kDownShare = 0.4;  // of the lower box's height

std::string describe(const GlyphBox& glyph) {
  std::ostringstream text;
  text.precision(1);
  text << std::fixed << "\"" << glyph.word << "\" at (" << glyph.xMin << ", " << glyph.yMin << ")";
  return text.str();
}

bool overlap(const GlyphBox& a, const GlyphBox& b) {
  const double across = std::min(a.xMax, b.xMax) - std::max(a.xMin, b.xMin);
  const double down = std::min(a.yMax, b.yMax) - std::max(a.yMin, b.yMin);
  const double lower = std::min(a.yMax - a.yMin, b.yMax - b.yMin);
  return across > kAcross && down > kDownShare * lower;
}

}  // namespace

std::vector<PageGlyphs> readGlyphs(const std::string& pdfPath) {
  std::unique_ptr<poppler::document> document(poppler::document::load_from_file(pdfPath));
  if (!document) throw std::runtime_error("poppler cannot read " + pdfPath);
  std::vector<PageGlyphs> pages;
  for (int index = 0; index < document->pages(); ++index) {
    std::unique_ptr<poppler::page> page(document->create_page(index));
    if (!page) throw std::runtime_error("poppler cannot read a page of " + pdfPath);
    PageGlyphs glyphs;
    glyphs.width = page->page_rect().width();
    glyphs.height = page->page_rect().height();
    for (const poppler::text_box& word : page->text_list()) {
      const poppler::byte_array utf8 = word.text().to_utf8();
      const std::string text(utf8.begin(), utf8.end());
      for (std::size_t i = 0; i < word.text().size(); ++i) {
        const poppler::rectf box = word.char_bbox(i);
        glyphs.glyphs.push_back({text, box.left(), box.top(), box.right(), box.bottom()});
      }
    }
    pages.push_back(std::move(glyphs));
  }
  return pages;
}

std::vector<std::string> layoutFaults(const PageGlyphs& page, double margin) {
  std::vector<std::string> faults;
  std::vector<GlyphBox> glyphs = page.glyphs;
  std::sort(glyphs.begin(), glyphs.end(),
            [](const GlyphBox& a, const GlyphBox& b) { return a.xMin < b.xMin; });
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const GlyphBox& glyph = glyphs[i];
    if (glyph.xMin < margin || glyph.yMin < margin || glyph.xMax > page.width - margin ||
        glyph.yMax > page.height - margin) {
      faults.push_back(describe(glyph) + " reaches past the printable area");
    }
    // Sorted across, so only the glyphs that start before this one ends can
    // share its room.
    for (std::size_t j = i + 1; j < glyphs.size() && glyphs[j].xMin < glyph.xMax - kAcross; ++j) {
      if (overlap(glyph, glyphs[j])) {
        faults.push_back(describe(glyph) + " and " + describe(glyphs[j]) + " overlap");
      }
    }
  }
  return faults;
}

}  // namespace lumora::test
