// getdata reads the invoice anew on every call; the item table pays that once
// per invoice line. These figures show what one call and the whole sweep cost.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "invoice/invoice_reader.h"
#include "tests/support/invoice_builder.h"

namespace {

constexpr int kLines = 1000;

// `lines` invoice lines of about 1 KB each.
std::string generatedInvoice(int lines) {
  using namespace lumora::test;
  std::vector<std::string> elements = {"<cbc:ID>BENCH-1</cbc:ID>",
                                       "<cbc:IssueDate>2026-12-01</cbc:IssueDate>"};
  for (int i = 1; i <= lines; ++i) {
    InvoiceLine line;
    const std::string n = std::to_string(i);
    line.id = n;
    line.description = "Wartung und Pflege der Anlage gemäß Vertrag, Position ";
    line.description += n;
    line.description +=
        ", mit allen Nebenarbeiten und Prüfprotokoll nach den Vorgaben des Herstellers und "
        "der geltenden Normen";
    line.name = "Wartungspaket Großanlage Stufe " + n;
    line.sellerId = "ART-" + n;
    line.baseQuantity = "1";
    elements.push_back(invoiceLineXml(line));
  }
  elements.push_back(
      "<cac:LegalMonetaryTotal>\r\n    <cbc:PayableAmount "
      "currencyID=\"EUR\">1.00</cbc:PayableAmount>"
      "\r\n  </cac:LegalMonetaryTotal>");
  return invoiceFile(elements, "Invoice");
}

const std::string& invoicePath() {
  static const std::string path = [] {
    char name[] = "/tmp/lumora-bench-XXXXXX.xml";
    const int fd = ::mkstemps(name, 4);
    ::close(fd);
    std::ofstream(name, std::ios::binary) << generatedInvoice(kLines);
    return std::string(name);
  }();
  return path;
}

void BM_GetdataInvoiceLine(benchmark::State& state) {
  lumora::InvoiceReader reader;
  reader.xmlfile = invoicePath();
  reader.datanr = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(reader.getdata("cac:InvoiceLine", "cac:InvoiceLine"));
}
BENCHMARK(BM_GetdataInvoiceLine)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The item table's reads: every invoice line, then the empty one that ends it.
void BM_GetdataSweep(benchmark::State& state) {
  lumora::InvoiceReader reader;
  reader.xmlfile = invoicePath();
  for (auto _ : state) {
    for (reader.datanr = 1; reader.datanr <= kLines + 1; ++reader.datanr) {
      benchmark::DoNotOptimize(reader.getdata("cac:InvoiceLine", "cac:InvoiceLine"));
    }
  }
}
BENCHMARK(BM_GetdataSweep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  ::unlink(invoicePath().c_str());
  return 0;
}
