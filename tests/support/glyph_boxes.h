// The glyphs of a written PDF as poppler finds them, each with its box, and
// the faults a reader of the page would see in them: a glyph past the
// printable area, or glyphs of two texts over each other.
#ifndef LUMORA_TESTS_GLYPH_BOXES_H
#define LUMORA_TESTS_GLYPH_BOXES_H

#include <string>
#include <vector>

namespace lumora::test {

// Box in points from the page's top-left corner, y downwards: from the
// font's ascent line to its descent line, as wide as the glyph's advance.
struct GlyphBox {
  std::string word;  // the word the glyph belongs to, UTF-8
  double xMin = 0;
  double yMin = 0;
  double xMax = 0;
  double yMax = 0;
};

struct PageGlyphs {
  double width = 0;  // points
  double height = 0;
  std::vector<GlyphBox> glyphs;
};

// Every page of the PDF; throws std::runtime_error when poppler cannot read it.
std::vector<PageGlyphs> readGlyphs(const std::string& pdfPath);

// What is wrong with a page, one line per fault: glyphs reaching within
// `margin` points of the paper's edge, and pairs of glyphs that share more
// than half a point across and two fifths of the lower one's height. Glyphs
// of one text stand side by side and never count.
std::vector<std::string> layoutFaults(const PageGlyphs& page, double margin);

}  // namespace lumora::test

#endif
