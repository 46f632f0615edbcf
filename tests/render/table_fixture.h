#pragma once
// A layout context for the item table and the totals that records every text
// they place, on the recording printer, which gives each text's position in
// the layout's millimetres.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "invoice/invoice_reader.h"
#include "render/layout_context.h"
#include "tests/support/invoice_builder.h"
#include "tests/support/recording_printer.h"
#include "tests/support/temp_dir.h"

namespace lumora::test {

class NoOpener final : public Opener {
 public:
  void open(const std::string&, const std::string&) override {}
};

// The printer medium; the long-text box answers from a queue (then stays at
// its last answer) and counts how often it was asked.
class TableHost final : public RenderHost {
 public:
  Medium medium() const override { return Medium::Printer; }
  std::optional<std::string> chooseInvoiceFile() override { return std::nullopt; }
  bool choosePrinter() override { return true; }
  bool longTextChecked() const override {
    ++longTextReads;
    if (longTextAnswers.size() > 1) {
      const bool answer = longTextAnswers.front();
      longTextAnswers.pop_front();
      return answer;
    }
    return !longTextAnswers.empty() && longTextAnswers.front();
  }
  Opener& opener() override { return m_opener; }

  mutable std::deque<bool> longTextAnswers;
  mutable int longTextReads = 0;

 private:
  NoOpener m_opener;
};

// The table's invoice: a number, the lines, then `tail` (totals, terms).
inline std::string invoiceXml(const std::vector<InvoiceLine>& lines, const std::string& tail = "") {
  std::vector<std::string> elements = {"<cbc:ID>R-4711</cbc:ID>"};
  for (const InvoiceLine& line : lines) elements.push_back(invoiceLineXml(line));
  if (!tail.empty()) elements.push_back(tail);
  return invoiceFile(elements, "Invoice");
}

class TableTest : public ::testing::Test {
 protected:
  void writeInvoice(const std::string& xml) { invoice = readInvoice(xml); }

  RateSums drawTable(const std::vector<InvoiceLine>& lines, int startY) {
    writeInvoice(invoiceXml(lines));
    layout.state.ypos = startY;
    return drawItemTable(layout);
  }

  // Everything placed at column `x`, in order.
  std::vector<PrintedText> at(int x) const {
    std::vector<PrintedText> found;
    for (const PrintedText& p : printer.texts) {
      if (p.x == x) found.push_back(p);
    }
    return found;
  }
  // The non-empty texts placed at column `x`, rules left out.
  std::vector<std::string> textsAt(int x) const {
    std::vector<std::string> texts;
    for (const PrintedText& p : at(x)) {
      if (!p.text.empty() && p.text != kRule) texts.push_back(p.text);
    }
    return texts;
  }
  // The first text placed exactly so; fails the test when there is none.
  const PrintedText& find(std::string_view text) const {
    for (const PrintedText& p : printer.texts) {
      if (p.text == text) return p;
    }
    ADD_FAILURE() << "not placed: " << text;
    static const PrintedText none{};
    return none;
  }
  const PrintedText& closingRule() const {
    for (auto p = printer.texts.rbegin(); p != printer.texts.rend(); ++p) {
      if (p->text == kRule && p->y != 10 && p->y != 270) return *p;
    }
    ADD_FAILURE() << "no closing rule";
    static const PrintedText none{};
    return none;
  }

  TempDir dir;
  RecordingPrinter printer;
  TableHost host;
  Invoice invoice;
  TextOutput output{host, &printer};
  LayoutContext layout{host, output, invoice, RenderState{}};
};

}  // namespace lumora::test
