// Writes the benchmarks' invoice with a given number of invoice lines:
//
//   make_invoice LINES OUTPUT.xml

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "tests/support/invoice_builder.h"

int main(int argc, char** argv) {
  int lines = -1;
  if (argc == 3) {
    const std::string_view text = argv[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), lines);
    if (error != std::errc() || end != text.data() + text.size()) lines = -1;
  }
  if (lines < 0) {
    std::fprintf(stderr, "usage: make_invoice LINES OUTPUT.xml\n");
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << lumora::test::benchmarkInvoice(lines);
  out.close();
  if (!out) {
    std::fprintf(stderr, "make_invoice: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
