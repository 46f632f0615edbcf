#include "render/invoice_fields.h"

#include "platform/substring.h"

namespace lumora {
namespace {

// `text` with every occurrence of `piece` taken out, scanning left to right.
std::string withoutAll(std::string_view text, std::string_view piece) {
  std::string rest;
  for (std::int64_t at = position(piece, text); at > 0; at = position(piece, text)) {
    rest += substring(text, 1, at - 1);
    text = substringFrom(text, at + static_cast<std::int64_t>(piece.size()));
  }
  rest += text;
  return rest;
}

// A quantity found in another unit than the one asked for is raw text that
// ends in the element's own unit-code attribute, its closing quote, the ">"
// and the number; the two cuts leave the number.
std::string unitCut(std::string q) {
  const std::int64_t attribute = position(R"(unitCode=")", q);
  if (attribute > 0) {
    q = std::string(substringFrom(q, attribute + 10));
    q = std::string(substringFrom(q, position("\"", q) + 2));
  }
  return q;
}

bool endsTagName(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '>';
}

std::string_view closeName(const Search& search) {
  return search.close.empty() ? search.open : search.close;
}

}  // namespace

std::string InvoiceFields::text(Field field) const {
  const SearchChain& chain = m_syntax->chain(field);
  if (chain.empty()) return {};
  return follow(m_reader.getdata(chain.front().open, closeName(chain.front())), chain, 1);
}

std::string InvoiceFields::date(Field field) const {
  const std::string raw = text(field);
  // Day, month and year: where each starts and how long it is.
  const bool iso = m_syntax->dates == DateForm::Iso;
  std::string date(substring(raw, iso ? 9 : 7, 2));
  date += '.';
  date += substring(raw, iso ? 6 : 5, 2);
  date += '.';
  date += substring(raw, 1, 4);
  return date;
}

std::string InvoiceFields::line() const {
  return m_reader.getdata(m_syntax->lineElement, m_syntax->lineElement);
}

std::string InvoiceFields::inLine(std::string_view line, Field field) const {
  return follow(std::string(line), m_syntax->chain(field), 0);
}

bool InvoiceFields::creditNote() const {
  if (m_syntax->creditNote) return true;
  const std::string typeCode = text(Field::TypeCode);
  std::string_view code = typeCode;
  // A code whose opening tag carries attributes comes as the reader's
  // fallback, the tag in front of the code.
  if (const std::size_t tagEnd = code.rfind('>'); tagEnd != std::string_view::npos) {
    code.remove_prefix(tagEnd + 1);
  }
  const std::size_t first = code.find_first_not_of(" \t");
  const std::size_t last = code.find_last_not_of(" \t");
  return first != std::string_view::npos && code.substr(first, last - first + 1) == "381";
}

bool InvoiceFields::amountsInEuro() const {
  return !m_syntax->currencyOfDocument || text(Field::Currency) == "EUR";
}

std::string InvoiceFields::follow(std::string text, const SearchChain& chain,
                                  std::size_t from) const {
  for (std::size_t i = from; i < chain.size(); ++i) text = search(text, chain[i]);
  return text;
}

std::string InvoiceFields::search(std::string_view text, const Search& search) const {
  switch (search.kind) {
    case Search::Kind::Value:
      return InvoiceReader::findValue(text, search.open, closeName(search), search.occurrence);
    case Search::Kind::Element:
      return element(text, search);
    case Search::Kind::Without:
      return withoutAll(text, search.open);
    case Search::Kind::Before:
      return std::string(text.substr(0, text.find(search.open)));
    case Search::Kind::UnitCut:
      return unitCut(std::string(text));
  }
  return {};
}

// The element's opening tag is found first, and the reader then takes the
// value with that tag as its opening marker, from the tag on, so the first
// closing marker after it ends the value.
std::string InvoiceFields::element(std::string_view text, const Search& search) const {
  const bool anyAttributes = search.open.find(' ') == std::string_view::npos;
  std::string start(1, '<');
  start += search.open;
  for (std::size_t at = text.find(start); at != std::string_view::npos;
       at = text.find(start, at + 1)) {
    const std::size_t after = at + start.size();
    if (after >= text.size()) break;
    if (anyAttributes ? !endsTagName(text[after]) : text[after] != '>') continue;
    const std::size_t tagEnd = text.find('>', after);
    if (tagEnd == std::string_view::npos) break;
    if (text[tagEnd - 1] == '/') return {};  // an empty element written as one tag
    const std::string_view openTag = text.substr(at + 1, tagEnd - at - 1);
    return m_reader.getvalue(text.substr(at), openTag, closeName(search));
  }
  return {};
}

}  // namespace lumora
