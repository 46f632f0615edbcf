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

// The quantity of an invoice line. Only C62 is asked for by name; for any
// other unit the reader's fallback yields raw text that ends in the element's
// own unit-code attribute, its closing quote, the ">" and the number, and the
// two cuts leave the number.
std::string quantityText(const InvoiceReader& reader, std::string_view block) {
  std::string q = withDecimalComma(
      reader.getvalue(block, R"(cbc:InvoicedQuantity unitCode="C62")", "cbc:InvoicedQuantity"));
  const std::int64_t attribute = position(R"(unitCode=")", q);
  if (attribute > 0) {
    q = std::string(substringFrom(q, attribute + 10));
    q = std::string(substringFrom(q, position("\"", q) + 2));
  }
  return q;
}

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
  InvoiceReader& reader = layout.reader;
  RenderState& state = layout.state;
  const int size = state.basesize;
  const auto value = [&reader](std::string_view source, std::string_view tag) {
    return reader.getvalue(source, tag, tag);
  };

  RateSums sums;
  reader.datanr = 1;
  // The pass that finds no more invoice line still draws its empty texts and
  // moves down two line steps before the loop ends.
  for (;;) {
    const std::string block = reader.getdata("cac:InvoiceLine", "cac:InvoiceLine");
    state.ypos += state.linestep;
    const int y = state.ypos;

    layout.draw(columnX(Column::Pos), y, value(block, "cbc:ID"), size);

    const std::string name = value(block, "cbc:Name");
    const Cut first = cutPiece(name, kNameWidth);
    layout.draw(columnX(Column::Bezeichnung), y, first.piece, size);
    std::string langtext(first.rest);
    if (layout.host.longTextChecked()) langtext += value(block, "cbc:Description");

    const std::string seller = value(block, "cac:SellersItemIdentification");
    layout.draw(columnX(Column::ArtikelNr), y, value(seller, "cbc:ID"), size);

    layout.draw(columnX(Column::Menge), y, quantityText(reader, block), size);

    const std::string linerate = withDecimalComma(value(block, "cbc:Percent"));
    layout.draw(columnX(Column::Mwst), y, linerate, size);

    std::string unitPrice = withDecimalComma(
        reader.getvalue(block, R"(cbc:BaseAmount currencyID="EUR")", "cbc:BaseAmount"));
    layout.draw(columnX(Column::Einzelpreis), y, unitPrice, size);
    if (unitPrice.empty()) {
      unitPrice = withDecimalComma(
          reader.getvalue(block, R"(cbc:PriceAmount currencyID="EUR")", "cbc:PriceAmount"));
      layout.draw(columnX(Column::Einzelpreis), y, unitPrice, size);
    }

    const std::string lineAmount = withDecimalComma(reader.getvalue(
        block, R"(cbc:LineExtensionAmount currencyID="EUR")", "cbc:LineExtensionAmount"));
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
    addToSums(sums, linerate, lineAmount);
    reader.datanr += 1;
    if (block.empty()) break;
    if (state.ypos > kTableBottom) pagechange(layout);
  }

  // The totals need eleven line steps below the closing rule.
  if (state.ypos > kTableBottom - 11 * state.linestep) pagechange(layout);
  layout.draw(20, state.ypos, kRule, size);
  return sums;
}

}  // namespace lumora
