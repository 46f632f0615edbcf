// The invoice reader on arbitrary bytes: it reads an invoice or refuses the
// file with one of its own messages, and the same bytes give the same
// invoice whether they come whole, in pieces cut anywhere, or from a file.
// Half the inputs make up an invoice instead (generated_invoice.h), whose
// number and line names the reader must find as the generator wrote them.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/generated_invoice.h"
#include "fuzz/scratch_folder.h"
#include "invoice/invoice_reader.h"
#include "platform/exceptions.h"

namespace {

using namespace lumora;

// The invoice as one text, field by field, or the refusal's message.
std::string summary(const Invoice& invoice) {
  std::string text = std::to_string(static_cast<int>(invoice.kind));
  for (const std::string* field :
       {&invoice.number, &invoice.typeCode, &invoice.issueDate, &invoice.dueDate,
        &invoice.deliveryDate, &invoice.currency, &invoice.buyerReference, &invoice.orderNumber,
        &invoice.customerNumber, &invoice.iban, &invoice.seller.name, &invoice.seller.vatId,
        &invoice.seller.taxNumber, &invoice.buyer.name, &invoice.netTotal, &invoice.payableAmount,
        &invoice.paymentNote}) {
    text += '|' + *field;
  }
  for (const InvoiceLine& line : invoice.lines) {
    text += "|[" + line.id + '|' + line.name + '|' + line.description + '|' + line.amount + ']';
  }
  return text;
}

template <typename Read>
std::string outcome(Read read) {
  try {
    const std::string text = summary(read());
    // A field never carries a line break or whitespace at its ends.
    for (const char c : {'\n', '\r'}) {
      if (text.find(c) != std::string::npos) std::abort();
    }
    return text;
  } catch (const InOutError&) {
    std::abort();  // the file was written just now
  } catch (const Exception& error) {
    return std::string("refused: ") + error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::size_t pieceSize = data.ConsumeIntegralInRange<std::size_t>(1, 4096);
  std::string document;
  std::string expected;
  if (data.ConsumeBool()) {
    const fuzz::GeneratedInvoice generated = fuzz::generatedInvoice(data);
    document = generated.xml;
    Invoice model;
    model.number = generated.number;
    for (const std::string& name : generated.lineNames) model.lines.push_back({.name = name});
    expected = summary(model);
  } else {
    document = data.ConsumeRemainingBytesAsString();
  }

  const std::string whole = outcome([&] { return readInvoice(document); });
  const std::string pieces = outcome([&] {
    InvoiceParser parser;
    for (std::size_t at = 0; at < document.size(); at += pieceSize) {
      parser.feed(std::string_view(document).substr(at, pieceSize));
    }
    return parser.finish();
  });
  const std::string path = fuzz::writeScratchFile("rechnung.xml", document);
  const std::string file = outcome([&] { return readInvoiceFile(path); });
  if (!expected.empty() && whole != expected) {
    std::fprintf(stderr, "model:  %s\nreader: %s\ndocument: %s\n", expected.c_str(), whole.c_str(),
                 document.c_str());
    std::abort();
  }
  if (pieces != whole || file != whole) {
    std::fprintf(stderr, "whole:  %s\npieces: %s\nfile:   %s\n", whole.substr(0, 300).c_str(),
                 pieces.substr(0, 300).c_str(), file.substr(0, 300).c_str());
    std::abort();
  }
  return 0;
}
