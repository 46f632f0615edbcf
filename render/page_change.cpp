#include "render/layout_context.h"

namespace lumora {

namespace {

// The footer's and the continuation header's three columns.
constexpr int kFirstX = 20;
constexpr int kSecondX = 80;
constexpr int kThirdX = 140;

}  // namespace

void pagefooter(LayoutContext& layout) {
  const RenderState& s = layout.state;
  const int size = s.basesize;
  const auto first = [&](int y, std::string_view text) {
    layout.drawInBox(kFirstX, y, text, size, before(kSecondX));
  };
  const auto second = [&](int y, std::string_view text) {
    layout.drawInBox(kSecondX, y, text, size, before(kThirdX));
  };
  const auto third = [&](int y, std::string_view text) {
    layout.drawInBox(kThirdX, y, text, size);
  };
  layout.draw(kFirstX, 270, kRule, size);
  first(275, s.sellername);
  first(280, s.sellerstreet);
  first(285, s.sellercity);
  second(275, "Telefon: " + s.sellerphone);
  second(280, "Email: " + s.sellermail);
  second(285, "IBAN: " + s.iban);
  third(275, "UST-ID: " + s.ustid);
  third(280, "Steuernummer: " + s.steuernr);
}

void pagechange(LayoutContext& layout) {
  RenderState& s = layout.state;
  pagefooter(layout);
  s.pagenr += 1;
  layout.output.newPage();
  // Continuation header; the column headings are not repeated.
  layout.drawInBox(kFirstX, 5, s.sellername, s.basesize, before(kSecondX));
  layout.drawInBox(kSecondX, 5, s.title + " " + s.invoicenr, s.basesize, before(kThirdX));
  layout.drawInBox(kThirdX, 5, "Seite " + std::to_string(s.pagenr), s.basesize);
  layout.draw(kFirstX, 10, kRule, s.basesize);
  s.ypos = 5 + 2 * s.linestep;
}

}  // namespace lumora
