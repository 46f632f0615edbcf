#pragma once
// The fields of the invoice as the render run asks for them, found in the
// file through the syntax's table of searches. Nothing is kept between two
// questions: each field is read from the file when it is asked for.

#include <cstdint>
#include <string>
#include <string_view>

#include "invoice/invoice_reader.h"
#include "render/invoice_syntax.h"

namespace lumora {

class InvoiceFields {
 public:
  InvoiceFields(InvoiceReader& reader, const InvoiceSyntax& syntax)
      : m_reader(reader), m_syntax(&syntax) {}

  // A field of the document; its first search reads the first block of its
  // element from the file. A field the syntax does not name is empty.
  std::string text(Field field) const;

  // A date field as DD.MM.YYYY, taken by character positions from the
  // syntax's form; a missing date gives "..".
  std::string date(Field field) const;

  // The block of the reader's datanr-th invoice line; empty past the last.
  std::string line() const;

  // A field of the invoice line whose block is `line`.
  std::string inLine(std::string_view line, Field field) const;

  // Whether the document is headed "Gutschrift": every UBL credit note, and
  // any document of type code 381.
  bool creditNote() const;

  // Whether the amounts count as euro amounts. A syntax whose amounts name
  // their currency leaves that to each amount's own marker.
  bool amountsInEuro() const;

 private:
  std::string follow(std::string text, const SearchChain& chain, std::size_t from) const;
  std::string search(std::string_view text, const Search& search) const;
  std::string element(std::string_view text, const Search& search) const;

  InvoiceReader& m_reader;
  const InvoiceSyntax* m_syntax;
};

}  // namespace lumora
