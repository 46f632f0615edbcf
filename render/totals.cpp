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
constexpr std::string_view kEuroSign = "€";

}  // namespace

void drawTotals(LayoutContext& layout, const RateSums& sums) {
  InvoiceReader& reader = layout.reader;
  const InvoiceFields& fields = layout.fields;
  RenderState& state = layout.state;

  reader.datanr = 1;
  state.ypos += 2 * state.linestep;

  const auto line = [&](std::string_view label, std::string_view amount) {
    layout.draw(kLabelX, state.ypos, label, kTotalsSize);
    layout.draw(kAmountX, state.ypos, amount, kTotalsSize);
    state.ypos += state.linestep;
  };
  const auto computedLine = [&](std::string_view label, double sum) {
    if (sum != 0) line(label, formatSum(sum));
  };

  line("Nettosumme", withDecimalComma(fields.text(Field::NetTotal)));
  computedLine("Netto 19,00", sums.netto19);
  computedLine("MWSt 19,00", sums.mwst19);
  computedLine("Netto 7,00", sums.netto7);
  computedLine("MWSt 7,00", sums.mwst7);
  computedLine("Netto steuerfrei", sums.netto0);
  line("Bruttosumme", withDecimalComma(fields.text(Field::GrossTotal)));
  // Only the exact text "0.00" hides these; an absent element shows its label.
  if (const std::string allowance = fields.text(Field::AllowanceTotal); allowance != "0.00") {
    line("Rabatt", withDecimalComma(allowance));
  }
  if (const std::string prepaid = fields.text(Field::PrepaidTotal); prepaid != "0.00") {
    line("Anzahlung", withDecimalComma(prepaid));
  }
  layout.draw(kLabelX, state.ypos, kShortRule, state.basesize);
  state.ypos += state.linestep;
  line("Zahlungsbetrag",
       withDecimalComma(fields.text(Field::PayableAmount)) + " " + std::string(kEuroSign));
  const int lastRuleY = state.ypos;
  layout.draw(kLabelX, lastRuleY, kShortRule, state.basesize);

  const std::string note = fields.text(Field::PaymentNote);
  // One run of text however long: neither wrapped nor cut.
  if (!note.empty()) layout.draw(20, lastRuleY + 2 * state.linestep, note, kTotalsSize);
}

}  // namespace lumora
