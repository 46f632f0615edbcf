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

// Adds one line amount to the sums of its rate, in the order in which the
// sums have always been taken: the three net sums, then the two VAT sums.
// Every contribution and addition is made in extended precision and the sum
// stored back as a double, so the printed cents match across versions. The
// amount text is converted for each sum it enters; a line at any other rate
// is never converted and cannot fail.
void addToSums(RateSums& sums, std::string_view rateText, std::string_view amountText) {
  const SummedRate rate = summedRate(rateText);
  if (rate == SummedRate::None) return;
  const auto add = [](double& sum, long double contribution) {
    sum = static_cast<double>(static_cast<long double>(sum) + contribution);
  };
  if (rate == SummedRate::Rate19) add(sums.netto19, amountToExtended(amountText));
  if (rate == SummedRate::Rate7) add(sums.netto7, amountToExtended(amountText));
  if (rate == SummedRate::Rate0) add(sums.netto0, amountToExtended(amountText));
  if (rate == SummedRate::Rate19) add(sums.mwst19, amountToExtended(amountText) * 19.0L / 100.0L);
  if (rate == SummedRate::Rate7) add(sums.mwst7, amountToExtended(amountText) * 7.0L / 100.0L);
}

}  // namespace

RateSums drawItemTable(LayoutContext& layout) {
  RenderState& state = layout.state;
  const int size = state.basesize;
  const auto& lines = layout.invoice.lines;

  RateSums sums;
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
    if (layout.host.longTextChecked()) langtext += line.description;

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
    addToSums(sums, linerate, lineAmount);
    if (past) break;
    if (state.ypos > kTableBottom) pagechange(layout);
  }

  // The totals go below the closing rule on the same page only when all
  // their lines, the wrapped payment note included, stay above the footer.
  if (state.ypos > kLowestClosingRule || totalsBottom(layout, sums, state.ypos) > kLowestNoteLine) {
    pagechange(layout);
  }
  layout.draw(20, state.ypos, kRule, size);
  return sums;
}

}  // namespace lumora
