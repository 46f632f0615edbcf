#pragma once
// Where each syntax keeps the fields of the invoice: a table of element paths
// from the document element (a line's fields: from the line element). The
// reader knows no syntax beyond these tables; a further syntax joins by a
// table of its own in knownSyntaxes().
//
// A path is a chain of prefixed element names, "cac:Party/cbc:Name"; the
// prefixes stand for the namespaces the table lists, so a file may bind any
// prefix, or the default namespace, to them.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "invoice/document_kind.h"
#include "invoice/invoice.h"

namespace lumora {

enum class Field {
  // The document
  Number,
  TypeCode,
  IssueDate,
  DueDate,
  DeliveryDate,
  Currency,
  BuyerReference,
  OrderNumber,
  CustomerNumber,
  Iban,
  SellerName,
  SellerStreet,
  SellerPostalZone,
  SellerCity,
  SellerAddressLine,
  SellerPhone,
  SellerMail,
  SellerVatId,
  SellerTaxNumber,
  SellerRegistration,
  BuyerName,
  BuyerStreet,
  BuyerPostalZone,
  BuyerCity,
  BuyerAddressLine,
  BuyerPhone,
  BuyerMail,
  NetTotal,
  GrossTotal,
  AllowanceTotal,
  PrepaidTotal,
  PayableAmount,
  PaymentNote,
  // One invoice line
  LineId,
  ItemNumber,
  ItemName,
  ItemDescription,
  Quantity,
  Rate,
  BasePrice,
  Price,
  LineAmount,
};
inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::LineAmount) + 1;

constexpr bool isLineField(Field field) {
  return field >= Field::LineId;
}

// The text of a document field in `invoice`, of a line field in `line`.
std::string& fieldText(Invoice& invoice, Field field);
std::string& fieldText(InvoiceLine& line, Field field);

struct FieldPath {
  Field field;
  std::string_view path;
  // A fallback: it counts only when every path of a lower rank for the same
  // field gave an empty text.
  int rank = 0;
  // When set, only elements whose attribute of this name has this value.
  std::string_view attribute = {};
  std::string_view attributeValue = {};
};

// A field chosen by a neighbour's text: within each element at `path`, the
// text at `valuePath` goes to `whenKey` when the text at `keyPath` is `key`,
// else to `otherwise`.
struct FieldChoice {
  std::string_view path;
  std::string_view keyPath;
  std::string_view valuePath;
  std::string_view key;
  Field whenKey;
  Field otherwise;
};

struct NamespacePrefix {
  std::string_view prefix;
  std::string_view uri;
};

enum class DateForm { Iso, Compact };  // 2024-05-17 or 20240517

struct InvoiceSyntax {
  DocumentKind kind;
  // The document element: its namespace and local name.
  std::string_view namespaceUri;
  std::string_view elementName;
  std::span<const NamespacePrefix> prefixes;
  // The element of one invoice line, from the document element.
  std::string_view linePath;
  DateForm dates;
  std::vector<FieldPath> fields;  // document and line fields alike
  std::vector<FieldChoice> choices;
  // The element that holds one attached document as base64 text, its name
  // in the attribute "filename"; empty when the syntax has none.
  std::string_view attachmentPath;
};

// Every syntax the reader recognises, in no particular order.
std::span<const InvoiceSyntax* const> knownSyntaxes();

// ZUGFeRD 1.0's table (invoice/zugferd1_syntax.cpp).
InvoiceSyntax crossIndustryDocument();

}  // namespace lumora
