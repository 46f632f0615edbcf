// getdata and getvalue on arbitrary file bytes and markers, compared with a
// plain model of the reading rules. The file is sometimes the input repeated
// many times, so that elements and line ends straddle the reader's blocks.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/reference_reader.h"
#include "fuzz/scratch_folder.h"
#include "invoice/invoice_reader.h"
#include "platform/exceptions.h"

namespace {

using namespace lumora;

// Mostly real element names, so that markers meet the file's tags.
std::string elementName(FuzzedDataProvider& data) {
  static const char* const kNames[] = {
      "cbc:ID", "cac:InvoiceLine", "cbc:Name", "cbc:InvoicedQuantity unitCode=\"C62\"", "a", ""};
  if (data.ConsumeBool()) return data.ConsumeRandomLengthString(24);
  return kNames[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
}

[[noreturn]] void mismatch(const char* what, const std::string& expected,
                           const std::string& actual) {
  std::fprintf(stderr,
               "%s differs from the model\n  model:  %zu bytes '%s'\n  reader: %zu bytes '%s'\n",
               what, expected.size(), expected.substr(0, 200).c_str(), actual.size(),
               actual.substr(0, 200).c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  InvoiceReader reader;
  reader.datanr = data.ConsumeIntegralInRange<std::int32_t>(-1, 6);
  reader.valuenr = data.ConsumeIntegralInRange<std::int32_t>(-1, 4);
  const std::string opentag = elementName(data);
  const std::string closetag = data.ConsumeBool() ? opentag : elementName(data);
  // Some files put the input behind blanks, so that the end of the reader's
  // first 256 KB block cuts through one of its markers or line ends; some
  // repeat it.
  const int shape = data.ConsumeIntegralInRange(0, 7);
  const int occurrence = data.ConsumeIntegralInRange(0, 3);
  const std::size_t cut = data.ConsumeIntegralInRange<std::size_t>(1, 64);
  const int repeats = shape == 7 ? data.ConsumeIntegralInRange(1, 4096) : 1;
  const std::string piece = data.ConsumeRemainingBytesAsString();
  std::size_t padding = 0;
  if (shape == 6) {
    const std::string target = occurrence == 3   ? std::string("\r\n")
                               : occurrence == 2 ? "<" + opentag + ">"
                                                 : "</" + closetag + ">";
    std::size_t at = piece.find(target);
    if (occurrence == 1 && at != std::string::npos) at = piece.find(target, at + 1);
    if (at == std::string::npos) at = 0;
    padding = (256u << 10) - at - std::min(cut, target.size() - 1);
  }
  std::string file(padding, ' ');
  file.reserve(padding + piece.size() * repeats);
  for (int i = 0; i < repeats && file.size() < (600u << 10); ++i) file += piece;

  reader.xmlfile = fuzz::writeScratchFile("rechnung.xml", file);
  std::string block;
  try {
    block = reader.getdata(opentag, closetag);
  } catch (const Exception&) {
    std::abort();  // a readable file never fails
  }
  const std::string expectedBlock = fuzz::referenceGetdata(file, reader.datanr, opentag, closetag);
  if (block != expectedBlock) mismatch("getdata", expectedBlock, block);

  // getvalue on the block, and on the raw bytes as a source of any shape.
  for (const std::string_view source : {std::string_view(block), std::string_view(piece)}) {
    const std::string value = reader.getvalue(source, opentag, closetag);
    const std::string expected = fuzz::referenceGetvalue(source, reader.valuenr, opentag, closetag);
    if (value != expected) mismatch("getvalue", expected, value);
  }
  return 0;
}
