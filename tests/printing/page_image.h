#pragma once
// Pages of two PDFs compared as a reader sees them, by their ink. The printer
// medium places text at whole device pixels per millimetre from the corner of
// the printable area, the PDF medium at 3 by 2.7 points per millimetre from
// the page's corner: the same layout, stretched a little differently along
// each axis. So the comparison first finds that stretch, from where the ink
// lies along each axis, then lays one page over the other and counts the
// places where only one of them has ink.

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::test {

struct PageImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> gray;  // row by row, 0 black to 255 white
  int dotsPerInch = 0;

  double ink(int x, int y) const {
    return (255 - gray[static_cast<std::size_t>(y) * width + x]) / 255.0;
  }
};

// Page `page` (from 1) of the PDF in gray at the resolution; throws when
// pdftoppm fails.
PageImage renderPage(const std::string& pdf, int page, int dotsPerInch);

// How one axis of a page maps onto the same axis of another: b = offset + scale * a.
struct AxisMap {
  double scale = 1;
  double offset = 0;
};

struct Overlay {
  AxisMap x;  // from the reference page onto the other
  AxisMap y;
  // Share of the cells with ink on either page that have ink on only one of
  // them, nothing nearby on the other: 0 for the same page.
  double mismatch = 1;
};

// Lays `reference` over `other`, cells of `cellMillimetres` wide.
Overlay overlay(const PageImage& reference, const PageImage& other, double cellMillimetres);

}  // namespace lumora::test
