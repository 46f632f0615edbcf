#pragma once
// Which kind of e-invoice a file holds. The kind is named by the first start
// tag in the file whose local name (the part after any namespace prefix) is
// Invoice or CreditNote (UBL) or CrossIndustryInvoice (CII), wherever it
// stands, so an envelope around the invoice does not hide it. Comments,
// processing instructions, CDATA sections and declarations are passed over;
// a file in a 16-bit encoding shows no start tag at all.

#include <optional>
#include <string>
#include <string_view>

namespace lumora {

enum class DocumentKind { UblInvoice, UblCreditNote, CrossIndustryInvoice };

// The refusal of a file that holds none of the three.
inline constexpr std::string_view kNotAnInvoice =
    "Die Datei ist keine E-Rechnung im UBL- oder CII-Format";

// Scans the file's lines for the naming start tag. Throws InOutError when
// the file cannot be read, and Exception(kNotAnInvoice) when no such tag
// is found.
DocumentKind readDocumentKind(const std::string& path);

// Feeds a file's text piece by piece to the same scan; a line end counts as
// a blank. `kind()` is set once the naming start tag has been seen.
class StartTagScan {
 public:
  void feedLine(std::string_view line);
  const std::optional<DocumentKind>& kind() const { return m_kind; }

 private:
  enum class Inside { Text, Comment, CData, Instruction, Declaration };
  Inside m_inside = Inside::Text;
  std::optional<DocumentKind> m_kind;
};

}  // namespace lumora
