// The invoice reader's one pass, from memory and from a file, over the
// benchmarks' invoice of 1,000 and 10,000 lines.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>

#include "invoice/invoice_reader.h"
#include "tests/support/invoice_builder.h"

namespace {

const std::string& invoiceText(int lines) {
  static std::map<int, std::string> texts;
  std::string& text = texts[lines];
  if (text.empty()) text = lumora::test::benchmarkInvoice(lines);
  return text;
}

void BM_ReadInvoiceFromMemory(benchmark::State& state) {
  const std::string& text = invoiceText(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(lumora::readInvoice(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadInvoiceFromMemory)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadInvoiceFile(benchmark::State& state) {
  const std::string& text = invoiceText(static_cast<int>(state.range(0)));
  char name[] = "/tmp/lumora-bench-XXXXXX.xml";
  const int fd = ::mkstemps(name, 4);
  ::close(fd);
  std::ofstream(name, std::ios::binary) << text;
  for (auto _ : state) benchmark::DoNotOptimize(lumora::readInvoiceFile(name));
  ::unlink(name);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadInvoiceFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
