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

// What follows the amount due: the euro sign for euro (or no currency named),
// else the currency's code.
std::string currencySuffix(std::string_view currency) {
  if (currency.empty() || currency == "EUR") return " €";
  return " " + std::string(currency);
}

}  // namespace

void drawTotals(LayoutContext& layout, const RateSums& sums) {
  const Invoice& invoice = layout.invoice;
  RenderState& state = layout.state;

  state.ypos += 2 * state.linestep;

  const auto line = [&](std::string_view label, std::string_view amount) {
    layout.draw(kLabelX, state.ypos, label, kTotalsSize);
    layout.draw(kAmountX, state.ypos, amount, kTotalsSize);
    state.ypos += state.linestep;
  };
  const auto computedLine = [&](std::string_view label, double sum) {
    if (sum != 0) line(label, formatSum(sum));
  };

  line("Nettosumme", withDecimalComma(invoice.netTotal));
  computedLine("Netto 19,00", sums.netto19);
  computedLine("MWSt 19,00", sums.mwst19);
  computedLine("Netto 7,00", sums.netto7);
  computedLine("MWSt 7,00", sums.mwst7);
  computedLine("Netto steuerfrei", sums.netto0);
  line("Bruttosumme", withDecimalComma(invoice.grossTotal));
  // Only the exact text "0.00" hides these; an absent element shows its label.
  if (const std::string& allowance = invoice.allowanceTotal; allowance != "0.00") {
    line("Rabatt", withDecimalComma(allowance));
  }
  if (const std::string& prepaid = invoice.prepaidTotal; prepaid != "0.00") {
    line("Anzahlung", withDecimalComma(prepaid));
  }
  layout.draw(kLabelX, state.ypos, kShortRule, state.basesize);
  state.ypos += state.linestep;
  line("Zahlungsbetrag",
       withDecimalComma(invoice.payableAmount) + currencySuffix(invoice.currency));
  const int lastRuleY = state.ypos;
  layout.draw(kLabelX, lastRuleY, kShortRule, state.basesize);

  const std::string& note = invoice.paymentNote;
  // One run of text however long: neither wrapped nor cut.
  if (!note.empty()) layout.draw(20, lastRuleY + 2 * state.linestep, note, kTotalsSize);
}

}  // namespace lumora
