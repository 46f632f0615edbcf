#pragma once
// The state one render run shares between its layout steps, and the page
// change they all use. Positions are whole millimetres from the top left of
// the page; sizes are points.

#include <string>
#include <string_view>

#include "invoice/invoice.h"
#include "output/text_output.h"
#include "render/render_host.h"

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

struct LayoutContext {
  RenderHost& host;
  TextOutput& output;
  // The invoice as the reader read it; the layout only reads it.
  const Invoice& invoice;
  RenderState state;

  // drucke in the run's font.
  void draw(int x, int y, std::string_view text, int size) {
    output.drucke(x, y, text, state.fontName, size);
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

}  // namespace lumora
