// The item table: one row per invoice line under the column headings, the
// item's long text in continuation lines below it, and the per-rate sums the
// totals print.

#include <string>
#include <string_view>

#include "output/piece_cut.h"
#include "platform/substring.h"
#include "render/amounts.h"
#include "render/item_columns.h"
#include "render/layout_context.h"

namespace lumora {
namespace {

// Rows and continuation lines never reach below this y on a page.
constexpr int kTableBottom = 260;
// Each continuation line and the first column of the name take at most this
// many bytes.
constexpr std::int64_t kNameWidth = 45;

// Adds one line amount to the sums of its rate. A line at any other rate is
// never converted and cannot fail. An amount that does not count as a euro
// amount fails as any text that is no number does.
void addToSums(LineSums& sums, std::string_view rateText, std::string_view amountText,
               bool inEuro) {
  if (summedRate(rateText) == SummedRate::None) return;
  if (!inEuro) throwNotAnAmount(amountText);
  sums.add(rateText, amountText);
}

}  // namespace

RateSums drawItemTable(LayoutContext& layout) {
  InvoiceReader& reader = layout.reader;
  const InvoiceFields& fields = layout.fields;
  RenderState& state = layout.state;
  const int size = state.basesize;
  const bool inEuro = fields.amountsInEuro();

  LineSums sums;
  reader.datanr = 1;
  // The pass that finds no more invoice line still draws its empty texts and
  // moves down two line steps before the loop ends.
  for (;;) {
    const std::string block = fields.line();
    const auto value = [&](Field field) { return fields.inLine(block, field); };
    state.ypos += state.linestep;
    const int y = state.ypos;

    layout.draw(columnX(Column::Pos), y, value(Field::LineId), size);

    const std::string name = value(Field::ItemName);
    const Cut first = cutPiece(name, kNameWidth);
    layout.draw(columnX(Column::Bezeichnung), y, first.piece, size);
    std::string langtext(first.rest);
    if (layout.host.longTextChecked()) langtext += value(Field::ItemDescription);

    layout.draw(columnX(Column::ArtikelNr), y, value(Field::ItemNumber), size);

    layout.draw(columnX(Column::Menge), y, withDecimalComma(value(Field::Quantity)), size);

    const std::string linerate = withDecimalComma(value(Field::Rate));
    layout.draw(columnX(Column::Mwst), y, linerate, size);

    std::string unitPrice = withDecimalComma(value(Field::BasePrice));
    layout.draw(columnX(Column::Einzelpreis), y, unitPrice, size);
    if (unitPrice.empty()) {
      unitPrice = withDecimalComma(value(Field::Price));
      layout.draw(columnX(Column::Einzelpreis), y, unitPrice, size);
    }

    const std::string lineAmount = withDecimalComma(value(Field::LineAmount));
    layout.draw(columnX(Column::Gesamtpreis), y, lineAmount, size);

    // The long text in pieces of at most 45 bytes, cut on the raw text
    // between characters; each piece is decoded on its own when it is placed.
    std::string_view rest = langtext;
    while (!rest.empty()) {
      const Cut cut = cutPiece(rest, kNameWidth);
      rest = cut.rest;
      state.ypos += state.linestep;
      layout.draw(columnX(Column::Bezeichnung), state.ypos, cut.piece, size);
      if (state.ypos > kTableBottom) pagechange(layout);
    }

    state.ypos += state.linestep;
    addToSums(sums, linerate, lineAmount, inEuro);
    reader.datanr += 1;
    if (block.empty()) break;
    if (state.ypos > kTableBottom) pagechange(layout);
  }

  // The totals need eleven line steps below the closing rule.
  if (state.ypos > kTableBottom - 11 * state.linestep) pagechange(layout);
  layout.draw(20, state.ypos, kRule, size);
  return {sums.netto19.value(), sums.mwst19.value(), sums.netto7.value(), sums.mwst7.value(),
          sums.netto0.value()};
}

}  // namespace lumora
