#pragma once
// One invoice as the reader fills it in its single pass over the file and as
// the layout reads it. Every text is the element's character data, decoded
// (UTF-8, entities resolved), with each run of whitespace that holds a line
// break turned into one blank and the ends trimmed; a field whose element is
// missing is empty. Amounts and quantities are the file's own text.

#include <cstddef>
#include <string>
#include <vector>

#include "invoice/block_list.h"
#include "invoice/document_kind.h"

namespace lumora {

struct Party {
  std::string name;  // the legal name, else the trading name
  std::string street;
  std::string postalZone;
  std::string city;
  std::string addressLine;
  std::string phone;
  std::string mail;
};

struct Seller : Party {
  std::string vatId;         // "UST-ID"
  std::string taxNumber;     // "Steuernummer"
  std::string registration;  // "Handelsregister"
};

struct InvoiceLine {
  std::string id;
  std::string itemNumber;
  std::string name;
  std::string description;
  std::string quantity;
  std::string rate;
  std::string basePrice;  // the list price before the line's price discount
  std::string price;
  std::string amount;
};

// Attachments are saved up to this size each.
inline constexpr std::size_t kMostAttachmentBytes = 64 * 1024 * 1024;

// A file the invoice carries: a document inside the XML, base64-encoded,
// or another file embedded in the invoice's PDF.
struct Attachment {
  std::string name;       // as the invoice names it ("filename"), else "Anlage <n>"
  std::string base64;     // the XML's text, kept only when the reader is asked to
  bool tooLarge = false;  // the text passed what kMostAttachmentBytes can need
};

struct Invoice {
  DocumentKind kind = DocumentKind::UblInvoice;
  std::string number;
  std::string typeCode;
  // Dates as DD.MM.YYYY whatever the syntax writes; empty when missing.
  std::string issueDate;
  std::string dueDate;
  std::string deliveryDate;
  std::string currency;
  std::string buyerReference;  // "Leitweg"
  std::string orderNumber;
  std::string customerNumber;
  std::string iban;
  Seller seller;
  Party buyer;
  BlockList<InvoiceLine> lines;
  std::string netTotal;
  std::string grossTotal;
  std::string allowanceTotal;
  std::string prepaidTotal;
  std::string payableAmount;
  std::string paymentNote;
  std::vector<Attachment> attachments;

  // Headed "Gutschrift": every UBL credit note and any document of type 381.
  bool isCreditNote() const { return kind == DocumentKind::UblCreditNote || typeCode == "381"; }
};

}  // namespace lumora
