// The totals under the item table: the invoice's own totals beside the
// per-rate sums the item table computed, the amount due between two short
// rules, and the payment-terms note below. No page change happens here.

#include <string>
#include <string_view>

#include "render/amounts.h"
#include "render/layout_context.h"

namespace lumora {
namespace {

constexpr int kLabelX = 125;
constexpr int kAmountX = 165;
constexpr int kTotalsSize = 10;
// The euro sign in the program's code page; drucke passes the byte through.
constexpr std::string_view kEuroSign = "\x80";

}  // namespace

void drawTotals(LayoutContext& layout, const RateSums& sums) {
  InvoiceReader& reader = layout.reader;
  RenderState& state = layout.state;

  reader.datanr = 1;
  state.ypos += 2 * state.linestep;
  const std::string block = reader.getdata("cac:LegalMonetaryTotal", "cac:LegalMonetaryTotal");

  // The raw text of an amount in euros; the element name closes it.
  const auto rawAmount = [&](std::string_view element) {
    return reader.getvalue(block, std::string(element) + R"( currencyID="EUR")", element);
  };
  const auto line = [&](std::string_view label, std::string_view amount) {
    layout.draw(kLabelX, state.ypos, label, kTotalsSize);
    layout.draw(kAmountX, state.ypos, amount, kTotalsSize);
    state.ypos += state.linestep;
  };
  const auto computedLine = [&](std::string_view label, double sum) {
    if (sum != 0) line(label, formatSum(sum));
  };

  line("Nettosumme", withDecimalComma(rawAmount("cbc:TaxExclusiveAmount")));
  computedLine("Netto 19,00", sums.netto19);
  computedLine("MWSt 19,00", sums.mwst19);
  computedLine("Netto 7,00", sums.netto7);
  computedLine("MWSt 7,00", sums.mwst7);
  computedLine("Netto steuerfrei", sums.netto0);
  line("Bruttosumme", withDecimalComma(rawAmount("cbc:TaxInclusiveAmount")));
  // Only the exact text "0.00" hides these; an absent element shows its label.
  if (const std::string allowance = rawAmount("cbc:AllowanceTotalAmount"); allowance != "0.00") {
    line("Rabatt", withDecimalComma(allowance));
  }
  if (const std::string prepaid = rawAmount("cbc:PrepaidAmount"); prepaid != "0.00") {
    line("Anzahlung", withDecimalComma(prepaid));
  }
  layout.draw(kLabelX, state.ypos, kShortRule, state.basesize);
  state.ypos += state.linestep;
  line("Zahlungsbetrag",
       withDecimalComma(rawAmount("cbc:PayableAmount")) + " " + std::string(kEuroSign));
  const int lastRuleY = state.ypos;
  layout.draw(kLabelX, lastRuleY, kShortRule, state.basesize);

  const std::string terms = reader.getdata("cac:PaymentTerms", "cac:PaymentTerms");
  const std::string note = reader.getvalue(terms, "cbc:Note", "cbc:Note");
  // One run of text however long: neither wrapped nor cut.
  if (!note.empty()) layout.draw(20, lastRuleY + 2 * state.linestep, note, kTotalsSize);
}

}  // namespace lumora
