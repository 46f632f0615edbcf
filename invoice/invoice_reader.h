#pragma once
// Reading an invoice: one streaming, namespace-aware pass of an XML parser
// over the file (or over bytes in memory) fills one Invoice.
//
// The invoice is the first element, in document order, that a known syntax
// names as its document element (UBL Invoice or CreditNote, CII
// CrossIndustryInvoice, ZUGFeRD 1.0 CrossIndustryDocument), so an envelope of any kind around it is
// passed over. Each field is the text of the first element at its path from there
// (invoice/invoice_syntax.cpp); comments and processing instructions never
// count, CDATA does, and entities are decoded once, here. The documents the
// invoice carries are listed by name, their base64 text kept when asked for.
//
// Refusals: "Die Datei ist kein wohlgeformtes XML: Zeile L, Spalte C" for a
// file that is not well-formed XML (byte 26 and whitespace after the last
// element are overlooked); kNotAnInvoice for one without such an element.

#include <memory>
#include <string>
#include <string_view>

#include "invoice/invoice.h"

namespace lumora {

// Whether the base64 text of the invoice's attached documents is kept (for
// saving them) or only their names (for listing them).
enum class AttachmentContents { Skip, Keep };

// Reads the invoice from a file in blocks; the file is never held whole.
// Throws InOutError when it cannot be read.
Invoice readInvoiceFile(const std::string& path,
                        AttachmentContents contents = AttachmentContents::Skip);

// Reads the invoice from bytes in memory, by the same pass.
Invoice readInvoice(std::string_view bytes, AttachmentContents contents = AttachmentContents::Skip);

// The pass itself, for readers that bring the bytes piece by piece.
class InvoiceParser {
 public:
  explicit InvoiceParser(AttachmentContents contents = AttachmentContents::Skip);
  ~InvoiceParser();
  InvoiceParser(const InvoiceParser&) = delete;
  InvoiceParser& operator=(const InvoiceParser&) = delete;

  // The next bytes of the document.
  void feed(std::string_view bytes);
  // The end of the document: the invoice read.
  Invoice finish();

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace lumora
