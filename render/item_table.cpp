// The item table: one row per invoice line under the column headings, each
// text in its column, the item's long text in continuation lines below it,
// and the per-rate sums the totals print.

#include <string>
#include <string_view>
#include <vector>

#include "output/piece_cut.h"
#include "platform/substring.h"
#include "render/amounts.h"
#include "render/item_columns.h"
#include "render/layout_context.h"

namespace lumora {
namespace {

// Past this y the next row or continuation line goes on a new page.
constexpr int kTableBottom = 260;
// No line stands lower: one at 270 would stand on the footer's rule.
constexpr int kLowestLine = kTableBottom + 5;
// The closing rule stands no lower, so that the totals' lines fit above the
// footer in the common case.
constexpr int kLowestClosingRule = 205;
// Each continuation line and the first column of the name take at most this
// many characters.
constexpr std::int64_t kNameWidth = 45;

// The description follows the rest of the name in the continuation lines,
// with a blank between them so that the name's last word and the
// description's first do not run together.
void appendLongText(std::string& langtext, std::string_view description) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (!langtext.empty() && !description.empty() && !blank(langtext.back()) &&
      !blank(description.front())) {
    langtext += ' ';
  }
  langtext += description;
}

}  // namespace

RateSums drawItemTable(LayoutContext& layout) {
  RenderState& state = layout.state;
  const int size = state.basesize;
  const auto& lines = layout.invoice.lines;

  LineSums sums;
  // After the last invoice line, one pass with an empty line still draws its
  // empty texts and moves down two line steps before the loop ends.
  const InvoiceLine noLine;
  for (std::size_t index = 0;; ++index) {
    const bool past = index >= lines.size();
    const InvoiceLine& line = past ? noLine : lines[index];
    state.ypos += state.linestep;
    const int y = state.ypos;
    const auto cell = [&](Column column, std::string_view text) {
      layout.drawInBox(columnX(column), y, text, size, columnRight(column));
    };

    cell(Column::Pos, line.id);

    const Cut first = cutPiece(line.name, kNameWidth);
    cell(Column::Bezeichnung, first.piece);
    std::string langtext(first.rest);
    if (layout.host.longTextChecked()) appendLongText(langtext, line.description);

    cell(Column::ArtikelNr, line.itemNumber);

    cell(Column::Menge, withDecimalComma(line.quantity));

    const std::string linerate = withDecimalComma(line.rate);
    cell(Column::Mwst, linerate);

    std::string unitPrice = withDecimalComma(line.basePrice);
    cell(Column::Einzelpreis, unitPrice);
    if (unitPrice.empty()) {
      unitPrice = withDecimalComma(line.price);
      cell(Column::Einzelpreis, unitPrice);
    }

    const std::string lineAmount = withDecimalComma(line.amount);
    cell(Column::Gesamtpreis, lineAmount);

    // The long text in pieces of at most 45 characters, ending between
    // words where a blank allows it; alone on their lines, they may reach
    // the right edge.
    std::string_view rest = langtext;
    while (!rest.empty()) {
      const Cut cut = cutPiece(rest, kNameWidth);
      rest = cut.rest;
      state.ypos += state.linestep;
      if (state.ypos > kLowestLine) pagechange(layout);
      layout.drawInBox(columnX(Column::Bezeichnung), state.ypos, cut.piece, size);
      if (state.ypos > kTableBottom) pagechange(layout);
    }

    state.ypos += state.linestep;
    sums.add(linerate, lineAmount);
    if (past) break;
    if (state.ypos > kTableBottom) pagechange(layout);
  }

  const RateSums totals{sums.netto19.value(), sums.mwst19.value(), sums.netto7.value(),
                        sums.mwst7.value(), sums.netto0.value()};
  // The totals go below the closing rule on the same page only when all
  // their lines, the wrapped payment note included, stay above the footer.
  if (state.ypos > kLowestClosingRule ||
      totalsBottom(layout, totals, state.ypos) > kLowestNoteLine) {
    pagechange(layout);
  }
  layout.draw(20, state.ypos, kRule, size);
  return totals;
}

}  // namespace lumora
