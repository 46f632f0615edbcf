#pragma once
// The invoice inside a PDF (ZUGFeRD, Factur-X, XRechnung in a PDF): the
// embedded XML of one of the names the standards give it, else the first
// embedded XML that is recognised as an invoice, read from memory by the
// same reader as an XML file; nothing is written beside the PDF for it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "invoice/embedded_files.h"
#include "invoice/invoice.h"
#include "invoice/invoice_reader.h"

namespace lumora {

inline constexpr std::string_view kNoInvoiceInPdf = "Die PDF-Datei enthält keine E-Rechnung";

// Preferred in this order, whatever the case of their letters.
inline constexpr std::array<std::string_view, 4> kInvoiceFileNames = {
    "factur-x.xml", "zugferd-invoice.xml", "ZUGFeRD-invoice.xml", "xrechnung.xml"};

// At most this many bytes are decoded while looking for the invoice, so
// that many large attachments cannot keep the search going for long.
inline constexpr std::size_t kMostBytesSearched = 4 * kMostEmbeddedFileBytes;

struct EmbeddedInvoice {
  std::size_t index = 0;  // in EmbeddedFiles::files()
  std::string name;
  std::string xml;
  Invoice invoice;  // as the reader reads `xml`
};

// Finds the invoice among the PDF's files: files whose name ends in ".xml"
// or whose type is an XML type are candidates, those of a preferred name
// first, and the first that the reader reads as an invoice is taken.
// Throws Exception when there is none: the reason a candidate could not be
// decoded, or one of a preferred name read, else the damage that may have
// hidden it, else kNoInvoiceInPdf.
EmbeddedInvoice findEmbeddedInvoice(const EmbeddedFiles& pdf,
                                    AttachmentContents contents = AttachmentContents::Skip);

// The invoice of the PDF at `path`; errors as openEmbeddedFiles and
// findEmbeddedInvoice.
EmbeddedInvoice readEmbeddedInvoice(const std::string& path);

// The invoice in the file at `path`, XML or a PDF carrying it; a PDF's
// other embedded files follow the invoice's own documents among its
// attachments (by name). Errors as readInvoiceFile and readEmbeddedInvoice.
Invoice readInvoiceOrPdf(const std::string& path,
                         AttachmentContents contents = AttachmentContents::Skip);

}  // namespace lumora
