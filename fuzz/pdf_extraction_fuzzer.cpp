// The invoice inside a PDF, from arbitrary PDF bytes: reading the PDF,
// listing its files, picking the invoice and decoding every file must end
// in a result within the limits or in one of the program's own errors,
// never another exception, a crash or a hang.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "invoice/embedded_files.h"
#include "invoice/invoice_reader.h"
#include "invoice/pdf_invoice.h"
#include "invoice/qpdf_embedded_files.h"
#include "platform/exceptions.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace lumora;
  const std::string_view pdfBytes(reinterpret_cast<const char*>(bytes), size);
  std::unique_ptr<EmbeddedFiles> pdf;
  try {
    pdf = readPdfEmbeddedFilesFromMemory(pdfBytes);
  } catch (const Exception&) {
    return 0;
  }
  const std::vector<EmbeddedFile>& files = pdf->files();
  check(files.size() <= kMostEmbeddedFiles);
  try {
    const EmbeddedInvoice invoice = findEmbeddedInvoice(*pdf);
    check(invoice.index < files.size() && invoice.name == files[invoice.index].name);
    check(readInvoice(invoice.xml).number == invoice.invoice.number);
  } catch (const Exception&) {
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string contents;
    std::string error;
    if (pdf->read(i, contents, error)) {
      check(contents.size() <= kMostEmbeddedFileBytes);
    } else {
      check(!error.empty());
    }
  }
  return 0;
}
