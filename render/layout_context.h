#pragma once
// The state one render run shares between its layout steps, and the page
// change they all use. Positions are whole millimetres from the top left of
// the page; sizes are points.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "invoice/invoice.h"
#include "output/text_output.h"
#include "render/item_columns.h"
#include "render/render_host.h"
#include "render/text_fit.h"

namespace lumora {

struct RenderState {
  int ypos = 0;      // running vertical position
  int linestep = 5;  // millimetres per text line
  int basesize = 8;  // points
  std::string fontName = "Arial";
  int pagenr = 1;
  // "Rechnung" or "Gutschrift": the heading and the continuation header.
  std::string title = "Rechnung";

  // Captured raw by the header blocks for the footer and continuation header.
  std::string invoicenr;
  std::string sellername;
  std::string sellerstreet;
  std::string sellercity;
  std::string sellerphone;
  std::string sellermail;
  std::string iban;
  std::string ustid;
  std::string steuernr;
};

// Sums of the item table per recognised rate, printed by the totals.
struct RateSums {
  double netto19 = 0;
  double mwst19 = 0;
  double netto7 = 0;
  double mwst7 = 0;
  double netto0 = 0;
};

// A rule: 110 underscores, drawn like any other text; the totals use 42.
inline const std::string kRule(110, '_');
inline const std::string kShortRule(42, '_');

// The right edge of the printable area, in the layout's millimetres: 5 mm
// from the paper's edge on the PDF page, where a millimetre across is 3
// points (193 mm = 579 pt of 595), and within the printable area of any
// printer whose margins are 5 mm or less.
inline constexpr int kPrintableRight = 193;
// The payment note's lines stand no lower, clear of the footer's rule at 270.
inline constexpr int kLowestNoteLine = 265;

// The right edge of a box that ends before the next text on its line, which
// starts at `nextX`: 1 mm before it, so neighbours never touch.
constexpr int before(int nextX) {
  return nextX - 1;
}

// The right edge of an item table column's box: before the next column, the
// last one up to the printable area's edge.
constexpr int columnRight(Column column) {
  const auto next = static_cast<std::size_t>(column) + 1;
  return next < kItemColumns.size() ? before(kItemColumns[next].x) : kPrintableRight;
}

struct LayoutContext {
  RenderHost& host;
  TextOutput& output;
  // The invoice as the reader read it; the layout only reads it.
  const Invoice& invoice;
  RenderState state;
  // The payment note as wrapped lines: wrapped once, when the page-change
  // rule before the totals first asks, and drawn from the same lines.
  std::optional<std::vector<std::string>> wrappedNote{};

  // drucke in the run's font.
  void draw(int x, int y, std::string_view text, int size) {
    output.drucke(x, y, text, state.fontName, size);
  }

  // drucke in the run's font, the text fitted into its box from x to
  // `right`: set smaller, down to 6 pt, and cut with "…" when still too wide.
  void drawInBox(int x, int y, std::string_view text, int size, int right = kPrintableRight) {
    const FittedText fitted = fitText(widthOf(), text, size, right - x);
    output.drucke(x, y, fitted.text, state.fontName, fitted.size);
  }

  // Text widths in the run's font on the current medium, in millimetres.
  TextWidth widthOf() {
    return [this](std::string_view text, int size) {
      return output.textWidth(text, state.fontName, size);
    };
  }
};

// The footer with the seller's details at the bottom of the current page.
void pagefooter(LayoutContext& layout);

// Footer, next page, continuation header; leaves ypos at 15.
void pagechange(LayoutContext& layout);

// The three layout steps, in the order the run calls them.
void drawHeaderBlocks(LayoutContext& layout);
RateSums drawItemTable(LayoutContext& layout);
void drawTotals(LayoutContext& layout, const RateSums& sums);

// Where the totals' last line would stand below a closing rule at `ruleY`:
// the payment note's last line (or where its only line would be).
int totalsBottom(LayoutContext& layout, const RateSums& sums, int ruleY);

}  // namespace lumora
