// The totals under the item table: the invoice's own totals beside the
// per-rate sums the item table computed, the amount due between two short
// rules, the payment-terms note below, wrapped at blanks, and the list of
// the invoice's attachments under it. The item table changes the page
// before its closing rule when they would not fit; only a note or a list
// longer than a page goes on over the next.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "render/amounts.h"
#include "render/attachment_list.h"
#include "render/layout_context.h"

namespace lumora {
namespace {

constexpr int kLabelX = 125;
constexpr int kAmountX = 165;
constexpr int kTotalsSize = 10;
constexpr int kNoteX = 20;

// "Rabatt" and "Anzahlung" are left out only for the exact text "0.00"; an
// absent element shows its label.
bool deductionShown(const std::string& amount) {
  return amount != "0.00";
}

int rateLinesShown(const RateSums& sums) {
  int count = 0;
  for (const double sum : {sums.netto19, sums.mwst19, sums.netto7, sums.mwst7, sums.netto0}) {
    count += sum != 0;
  }
  return count;
}

// The note keeps its size and wraps within the printable width.
const std::vector<std::string>& noteLines(LayoutContext& layout) {
  if (!layout.wrappedNote) {
    layout.wrappedNote = wrapAtBlanks(layout.widthOf(), layout.invoice.paymentNote, kTotalsSize,
                                      kPrintableRight - kNoteX);
  }
  return *layout.wrappedNote;
}

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
    layout.drawInBox(kLabelX, state.ypos, label, kTotalsSize, before(kAmountX));
    layout.drawInBox(kAmountX, state.ypos, amount, kTotalsSize);
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
  if (deductionShown(invoice.allowanceTotal)) {
    line("Rabatt", withDecimalComma(invoice.allowanceTotal));
  }
  if (deductionShown(invoice.prepaidTotal)) {
    line("Anzahlung", withDecimalComma(invoice.prepaidTotal));
  }
  layout.draw(kLabelX, state.ypos, kShortRule, state.basesize);
  state.ypos += state.linestep;
  line("Zahlungsbetrag",
       withDecimalComma(invoice.payableAmount) + currencySuffix(invoice.currency));
  const int lastRuleY = state.ypos;
  layout.draw(kLabelX, lastRuleY, kShortRule, state.basesize);

  state.ypos = lastRuleY + 2 * state.linestep;
  for (const std::string& text : noteLines(layout)) {
    if (invoice.paymentNote.empty()) break;
    if (state.ypos > kLowestNoteLine) pagechange(layout);
    layout.draw(kNoteX, state.ypos, text, kTotalsSize);
    state.ypos += state.linestep;
  }
  // The files the invoice carries, below the note.
  drawAttachmentList(layout, state.ypos);
}

int totalsBottom(LayoutContext& layout, const RateSums& sums, int ruleY) {
  const Invoice& invoice = layout.invoice;
  const int step = layout.state.linestep;
  const int deductions =
      deductionShown(invoice.allowanceTotal) + deductionShown(invoice.prepaidTotal);
  // The note stands two steps below the last short rule, which is six steps
  // below the closing rule plus one for each optional line; the list of
  // attachments follows the note.
  const int notes = invoice.paymentNote.empty() ? 0 : static_cast<int>(noteLines(layout).size());
  const int attachments = static_cast<int>(attachmentListLines(layout).size());
  const int below = std::max(1, notes + attachments);
  return ruleY + 8 * step + step * (rateLinesShown(sums) + deductions + below - 1);
}

}  // namespace lumora
