#pragma once
// How each syntax names the fields that the page shows. The render run asks
// for a field; the syntax's table answers with the chain of searches that
// finds it: the first search reads the block of an element from the file
// (getdata), every further one looks inside the text found so far
// (getvalue). Item fields start from the block of one invoice line instead.
//
// The UBL tables hold exactly the markers that the page has always been read
// with, fallbacks included. The CII table names the elements that carry the
// same business terms; its searches accept any attributes on an opening tag
// and close each element at the first closing tag after it.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "invoice/document_kind.h"

namespace lumora {

enum class Field {
  // The document
  InvoiceNumber,
  TypeCode,
  CustomerNumber,
  OrderNumber,
  IssueDate,
  DeliveryDate,
  DueDate,
  Currency,
  BuyerReference,
  Iban,
  // The seller
  SellerName,
  SellerStreet,
  SellerPostalZone,
  SellerCity,
  SellerPhone,
  SellerMail,
  SellerAddressLine,
  SellerVatId,
  SellerTaxNumber,
  SellerRegistration,
  // The buyer
  BuyerName,
  BuyerAddressLine,
  BuyerStreet,
  BuyerPostalZone,
  BuyerCity,
  BuyerPhone,
  BuyerMail,
  // The totals
  NetTotal,
  GrossTotal,
  AllowanceTotal,
  PrepaidTotal,
  PayableAmount,
  PaymentNote,
  // One invoice line, searched in the line's block
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

// One search of a chain.
struct Search {
  enum class Kind {
    // getvalue with these markers: the first opening marker and the first
    // closing marker, with the reader's fallback when only the latter is there.
    Value,
    // The first element whose opening tag is `open` (any attributes when
    // `open` is a bare name), up to the first closing tag after it.
    Element,
    // Every occurrence of `open` taken out of the text.
    Without,
    // The text in front of the first occurrence of `open`; all of it when
    // there is none.
    Before,
    // The number at the end of a quantity that the Value search before it
    // found in another unit: the text behind the unit code's closing quote
    // and the ">".
    UnitCut,
  };
  Kind kind;
  std::string_view open;
  std::string_view close;  // the element's name; `open` when empty
  int occurrence = 1;      // which occurrence a Value search returns
};

using SearchChain = std::vector<Search>;

// How a syntax writes its dates: 2024-05-17 or 20240517.
enum class DateForm { Iso, Compact };

struct InvoiceSyntax {
  // The element of one invoice line, read from the file occurrence by
  // occurrence.
  std::string_view lineElement;
  DateForm dates;
  // Whether every document of this kind is a credit note.
  bool creditNote;
  // Whether the amounts carry no currency of their own, so that they count
  // as euro amounts only when the document's currency is EUR.
  bool currencyOfDocument;
  std::array<SearchChain, kFieldCount> chains;

  const SearchChain& chain(Field field) const { return chains[static_cast<std::size_t>(field)]; }
};

// The table of a document kind.
const InvoiceSyntax& invoiceSyntax(DocumentKind kind);

}  // namespace lumora
