#include "render/layout_context.h"

namespace lumora {

void pagefooter(LayoutContext& layout) {
  const RenderState& s = layout.state;
  const int size = s.basesize;
  layout.draw(20, 270, kRule, size);
  layout.draw(20, 275, s.sellername, size);
  layout.draw(20, 280, s.sellerstreet, size);
  layout.draw(20, 285, s.sellercity, size);
  layout.draw(80, 275, "Telefon: " + s.sellerphone, size);
  layout.draw(80, 280, "Email: " + s.sellermail, size);
  layout.draw(80, 285, "IBAN: " + s.iban, size);
  layout.draw(140, 275, "UST-ID: " + s.ustid, size);
  layout.draw(140, 280, "Steuernummer: " + s.steuernr, size);
}

void pagechange(LayoutContext& layout) {
  RenderState& s = layout.state;
  pagefooter(layout);
  s.pagenr += 1;
  layout.output.newPage();
  // Continuation header; the column headings are not repeated.
  layout.draw(20, 5, s.sellername, s.basesize);
  layout.draw(80, 5, s.title + " " + s.invoicenr, s.basesize);
  layout.draw(140, 5, "Seite " + std::to_string(s.pagenr), s.basesize);
  layout.draw(20, 10, kRule, s.basesize);
  s.ypos = 5 + 2 * s.linestep;
}

}  // namespace lumora
