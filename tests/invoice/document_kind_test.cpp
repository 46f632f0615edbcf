// Recognising the kind of e-invoice by the first start tag that names one.

#include "invoice/document_kind.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/exceptions.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

using Kind = DocumentKind;

TEST(DocumentKindTest, FirstStartTagNamingAnInvoiceDecides) {
  const struct {
    const char* what;
    std::string text;
    std::optional<Kind> kind;
  } cases[] = {
      {"UBL with prefix", "<?xml version=\"1.0\"?>\r\n<ubl:Invoice xmlns:ubl=\"u\">",
       Kind::UblInvoice},
      {"UBL without prefix", "<Invoice xmlns=\"urn:x\">\r\n<cbc:ID>1</cbc:ID>", Kind::UblInvoice},
      {"credit note", "<CreditNote\r\n xmlns=\"urn:x\">", Kind::UblCreditNote},
      {"CII", "<rsm:CrossIndustryInvoice xmlns:rsm=\"r\">", Kind::CrossIndustryInvoice},
      {"CII on one line", "<?xml?><a:CrossIndustryInvoice><b:Invoice>", Kind::CrossIndustryInvoice},
      {"envelope around the invoice",
       "<StandardBusinessDocument>\r\n<StandardBusinessDocumentHeader><Type>Invoice</Type>"
       "</StandardBusinessDocumentHeader>\r\n<Invoice xmlns=\"u\">",
       Kind::UblInvoice},
      {"tag split by a line end", "<CreditNote\r\n>", Kind::UblCreditNote},
      {"comment, CDATA and instruction passed over",
       "<!-- <Invoice> \r\n <Invoice> --><?pi <Invoice>?><x><![CDATA[<Invoice>]]>"
       "<!DOCTYPE y><CreditNote>",
       Kind::UblCreditNote},
      {"byte-order mark", "\xEF\xBB\xBF<Invoice>", Kind::UblInvoice},
      {"longer local name", "<InvoiceLine><ns:Invoices><CrossIndustryInvoiceX>", std::nullopt},
      {"closing tag only", "</Invoice>", std::nullopt},
      {"empty", "", std::nullopt},
      {"HTML", "<!DOCTYPE html><html><body>Invoice</body></html>", std::nullopt},
      {"UTF-16", std::string("\xFF\xFE<\0I\0n\0v\0o\0i\0c\0e\0>\0", 20), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    const std::string path = dir.write("r.xml", c.text);
    if (c.kind) {
      EXPECT_EQ(readDocumentKind(path), *c.kind);
    } else {
      try {
        readDocumentKind(path);
        ADD_FAILURE() << "recognised";
      } catch (const InOutError&) {
        ADD_FAILURE() << "a file error";
      } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Die Datei ist keine E-Rechnung im UBL- oder CII-Format");
      }
    }
  }
}

TEST(DocumentKindTest, UnreadableFileIsAFileError) {
  EXPECT_THROW(readDocumentKind("/nonexistent/r.xml"), InOutError);
}

}  // namespace
}  // namespace lumora
