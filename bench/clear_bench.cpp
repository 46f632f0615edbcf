// clear runs on every text the render run places; these figures show its cost
// per megabyte on an invoice's kind of text and on plain ASCII.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "output/clear.h"

namespace {

constexpr std::size_t kSize = 1 << 20;

std::string repeated(std::string_view line) {
  std::string text;
  text.reserve(kSize + line.size());
  while (text.size() < kSize) text += line;
  text.resize(kSize);
  return text;
}

// Umlauts, the euro sign, entities, typographic quotes and dashes and the
// ellipsis, as the descriptions of real invoices hold them.
const std::string& invoiceText() {
  static const std::string text = repeated(
      "Wartung der K\xC3\xBC"
      "hlanlage f\xC3\xBCr M\xC3\xBCller &amp; S\xC3\xB6hne \xE2\x80\x93 "
      "\xE2\x80\x9E"
      "Pauschale\xE2\x80\x9C"
      " 1.250,00 \xE2\x82\xAC inkl. Anfahrt &lt;Zone 2&gt; Stra\xC3\x9F"
      "e \xE2\x80\xA6 it\xE2\x80\x99s done. ");
  return text;
}

const std::string& asciiText() {
  static const std::string text =
      repeated("Service contract 2026, monthly fee for support and updates. ");
  return text;
}

void BM_Clear(benchmark::State& state, const std::string& (*text)()) {
  const std::string& input = text();
  for (auto _ : state) benchmark::DoNotOptimize(lumora::clear(input));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK_CAPTURE(BM_Clear, invoice_text_1MB, invoiceText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Clear, ascii_1MB, asciiText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
