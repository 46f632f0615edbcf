#include "invoice/document_kind.h"

#include "platform/exceptions.h"
#include "platform/text_file.h"

namespace lumora {
namespace {

bool startsName(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool endsName(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

std::optional<DocumentKind> kindOfElement(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
  if (name == "Invoice") return DocumentKind::UblInvoice;
  if (name == "CreditNote") return DocumentKind::UblCreditNote;
  if (name == "CrossIndustryInvoice") return DocumentKind::CrossIndustryInvoice;
  return std::nullopt;
}

}  // namespace

void StartTagScan::feedLine(std::string_view line) {
  std::size_t i = 0;
  // Where markup that spans lines ends; its end never spans a line end.
  const auto skipTo = [&](std::string_view end) {
    const std::size_t at = line.find(end, i);
    if (at == std::string_view::npos) {
      i = line.size();
      return;
    }
    i = at + end.size();
    m_inside = Inside::Text;
  };
  while (i < line.size() && !m_kind) {
    switch (m_inside) {
      case Inside::Comment:
        skipTo("-->");
        continue;
      case Inside::CData:
        skipTo("]]>");
        continue;
      case Inside::Instruction:
        skipTo("?>");
        continue;
      case Inside::Declaration:
        skipTo(">");
        continue;
      case Inside::Text:
        break;
    }
    const std::size_t open = line.find('<', i);
    if (open == std::string_view::npos) return;
    i = open + 1;
    const std::string_view rest = line.substr(i);
    if (rest.starts_with("!--")) {
      m_inside = Inside::Comment;
      i += 3;
    } else if (rest.starts_with("![CDATA[")) {
      m_inside = Inside::CData;
      i += 8;
    } else if (rest.starts_with("?")) {
      m_inside = Inside::Instruction;
      i += 1;
    } else if (rest.starts_with("!")) {
      m_inside = Inside::Declaration;
      i += 1;
    } else if (!rest.empty() && startsName(static_cast<unsigned char>(rest[0]))) {
      std::size_t end = 0;
      while (end < rest.size() && !endsName(rest[end])) ++end;
      m_kind = kindOfElement(rest.substr(0, end));
      i += end;
    }
  }
}

DocumentKind readDocumentKind(const std::string& path) {
  TextFileReader file(path);
  StartTagScan scan;
  std::string line;
  while (!scan.kind() && file.readLine(line)) scan.feedLine(line);
  if (!scan.kind()) throw Exception(std::string(kNotAnInvoice));
  return *scan.kind();
}

}  // namespace lumora
