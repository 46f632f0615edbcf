// The invoice reader: which element each field comes from, whatever the file
// does around it, and what makes it refuse a file.

#include "invoice/invoice_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/exceptions.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

constexpr std::string_view kUblOpen =
    R"(<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2" )"
    R"(xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2" )"
    R"(xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">)";

std::string ubl(std::string_view body) {
  return std::string(kUblOpen) + std::string(body) + "</Invoice>";
}

std::string line(std::string_view body) {
  return "<cac:InvoiceLine>" + std::string(body) + "</cac:InvoiceLine>";
}

using Pick = std::function<std::string(const Invoice&)>;
const Pick kNumber = [](const Invoice& i) { return i.number; };

struct Variant {
  const char* name;
  std::string xml;
  Pick pick;
  std::string expected;  // the field's text, or the refusal's message
};

std::string lineNames(const Invoice& invoice) {
  std::string names;
  for (const InvoiceLine& l : invoice.lines) names += "[" + l.name + "]";
  return names;
}

const std::string kNotWellFormed = "Die Datei ist kein wohlgeformtes XML: Zeile ";

TEST(InvoiceReaderTest, ReadingVariants) {
  const std::string cii =
      R"(<CrossIndustryInvoice xmlns="urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100")"
      R"( xmlns:r="urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100")"
      R"( xmlns:u="urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100">)"
      R"(<ExchangedDocument><r:ID>C-1</r:ID><r:IssueDateTime><u:DateTimeString format="102">)"
      R"(20240517</u:DateTimeString></r:IssueDateTime></ExchangedDocument>)"
      R"(<SupplyChainTradeTransaction><r:ApplicableHeaderTradeAgreement><r:SellerTradeParty>)"
      R"(<r:Name>S</r:Name><r:SpecifiedTaxRegistration><r:ID schemeID="FC">201/113</r:ID>)"
      R"(</r:SpecifiedTaxRegistration><r:SpecifiedTaxRegistration><r:ID schemeID="VA">DE1</r:ID>)"
      R"(</r:SpecifiedTaxRegistration></r:SellerTradeParty></r:ApplicableHeaderTradeAgreement>)"
      R"(</SupplyChainTradeTransaction></CrossIndustryInvoice>)";
  const Variant variants[] = {
      {"any prefix",
       R"(<x:Invoice xmlns:x="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2")"
       R"( xmlns:b="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">)"
       "<b:ID>P-1</b:ID></x:Invoice>",
       kNumber, "P-1"},
      {"a prefix bound to another namespace is not UBL",
       ubl(R"(<c:ID xmlns:c="urn:example">X</c:ID><cbc:ID>U-1</cbc:ID>)"), kNumber, "U-1"},
      {"envelope",
       R"(<sh:Envelope xmlns:sh="urn:example:envelope"><sh:Header><cbc:ID xmlns:cbc=")"
       R"(urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">ENV)"
       "</cbc:ID></sh:Header>" +
           ubl("<cbc:ID>E-1</cbc:ID>") + "</sh:Envelope>",
       kNumber, "E-1"},
      {"CII in the default namespace, date and tax registrations by scheme", cii,
       [](const Invoice& i) {
         return i.number + "|" + i.issueDate + "|" + i.seller.vatId + "|" + i.seller.taxNumber;
       },
       "C-1|17.05.2024|DE1|201/113"},
      {"comment decoy", ubl("<!-- <cbc:ID>FAKE</cbc:ID> --><cbc:ID>R-1</cbc:ID>"), kNumber, "R-1"},
      {"commented-out field stays empty",
       ubl("<cac:PaymentMeans><!--<cac:PayeeFinancialAccount><cbc:ID>DE00</cbc:ID>"
           "</cac:PayeeFinancialAccount>--></cac:PaymentMeans>"),
       [](const Invoice& i) { return i.iban; }, ""},
      {"processing-instruction decoy", ubl("<?note <cbc:ID>FAKE</cbc:ID>?><cbc:ID>R-2</cbc:ID>"),
       kNumber, "R-2"},
      {"CDATA decoy and CDATA text",
       ubl("<cbc:Note><![CDATA[<cbc:ID>FAKE</cbc:ID>]]></cbc:Note>"
           "<cbc:ID><![CDATA[A&B]]>-1</cbc:ID>"),
       kNumber, "A&B-1"},
      {"entities are decoded once", ubl("<cbc:ID>M&amp;lt;&#x4C;&#246;</cbc:ID>"), kNumber,
       "M&lt;Lö"},
      {"extension ID is no field",
       ubl(R"(<ext:UBLExtensions xmlns:ext="urn:ext"><ext:E><cbc:ID>EXT</cbc:ID></ext:E>)"
           "</ext:UBLExtensions><cbc:ID>R-3</cbc:ID>"),
       kNumber, "R-3"},
      {"attributes, an empty line, a nested line name",
       ubl(R"(<cac:InvoiceLine xml:lang="de"><cac:Item><cbc:Name>A</cbc:Name></cac:Item>)"
           "</cac:InvoiceLine><cac:InvoiceLine/>" +
           line("<cac:Item><cbc:Name>B</cbc:Name><cac:X><cbc:Name>no</cbc:Name></cac:X>"
                "</cac:Item>")),
       lineNames, "[A][][B]"},
      {"line breaks become one blank, other whitespace stays",
       ubl("<cac:PaymentTerms><cbc:Note>\n  betaalde\r\n\t facturen  per  maand \n"
           "</cbc:Note></cac:PaymentTerms>"),
       [](const Invoice& i) { return i.paymentNote; }, "betaalde facturen  per  maand"},
      {"any currency",
       ubl(R"(<cbc:DocumentCurrencyCode>DKK</cbc:DocumentCurrencyCode><cac:LegalMonetaryTotal>)"
           R"(<cbc:PayableAmount currencyID="DKK">800.0</cbc:PayableAmount></cac:LegalMonetaryTotal>)"),
       [](const Invoice& i) { return i.currency + " " + i.payableAmount; }, "DKK 800.0"},
      {"VAT scheme chosen by name, trading name as fallback",
       ubl("<cac:AccountingSupplierParty><cac:Party><cac:PartyName><cbc:Name>Handel</cbc:Name>"
           "</cac:PartyName><cac:PartyTaxScheme><cbc:CompanyID>201/113</cbc:CompanyID>"
           "<cac:TaxScheme><cbc:ID>FC</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>"
           "<cac:PartyTaxScheme><cbc:CompanyID>DE123</cbc:CompanyID><cac:TaxScheme>"
           "<cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme></cac:Party>"
           "</cac:AccountingSupplierParty>"),
       [](const Invoice& i) {
         return i.seller.name + "|" + i.seller.vatId + "|" + i.seller.taxNumber;
       },
       "Handel|DE123|201/113"},
      {"missing date stays empty", ubl("<cbc:IssueDate>2024-05-17</cbc:IssueDate>"),
       [](const Invoice& i) { return i.issueDate + "|" + i.dueDate; }, "17.05.2024|"},
      {"type 381 is a credit note", ubl("<cbc:InvoiceTypeCode> 381 </cbc:InvoiceTypeCode>"),
       [](const Invoice& i) { return std::string(i.isCreditNote() ? "yes" : "no"); }, "yes"},
      {"Ctrl-Z and whitespace after the document", ubl("<cbc:ID>Z-1</cbc:ID>") + "\r\n\x1A\x1A\n",
       kNumber, "Z-1"},
      {"Ctrl-Z inside", ubl("\n<cbc:ID>Z\x1A</cbc:ID>"), kNumber, kNotWellFormed + "2, Spalte 10"},
      {"Ctrl-Z before more markup", ubl("") + "\n\x1A\n<!-- -->", kNumber,
       kNotWellFormed + "2, Spalte 1"},
      {"declared Windows-1252",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + ubl("<cbc:ID>M\xFCller \x80</cbc:ID>"),
       kNumber, "M\xC3\xBCller \xE2\x82\xAC"},
      {"not well-formed", ubl("\n<cbc:ID>1</cbc:Id>"), kNumber, kNotWellFormed + "2, Spalte 12"},
      {"unbound prefix", "<cbc:ID>1</cbc:ID>", kNumber, kNotWellFormed + "1, Spalte 1"},
      {"empty file", "", kNumber, std::string(kNotAnInvoice)},
      {"no invoice element", "<html><body>Invoice</body></html>", kNumber,
       std::string(kNotAnInvoice)},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    // Whole, and byte by byte as a stream that breaks anywhere.
    for (const bool piecewise : {false, true}) {
      std::string got;
      try {
        InvoiceParser parser;
        if (piecewise) {
          for (const char c : v.xml) parser.feed(std::string_view(&c, 1));
        } else {
          parser.feed(v.xml);
        }
        got = v.pick(parser.finish());
      } catch (const Exception& error) {
        got = error.what();
      }
      EXPECT_EQ(got, v.expected) << (piecewise ? "byte by byte" : "whole");
    }
  }
}

TEST(InvoiceReaderTest, FileIsReadLikeMemoryAndItsErrorsAreTheFileErrors) {
  test::TempDir dir;
  std::string many;
  for (int i = 0; i < 5000; ++i) many += line("<cbc:ID>" + std::to_string(i) + "</cbc:ID>");
  const Invoice invoice = readInvoiceFile(dir.write("many.xml", ubl(many)));
  ASSERT_EQ(invoice.lines.size(), 5000u);
  EXPECT_EQ(invoice.lines.back().id, "4999");
  EXPECT_THROW(
      {
        try {
          readInvoiceFile(dir.path() + "/missing.xml");
        } catch (const InOutError& error) {
          EXPECT_STREQ(error.what(), "Datei nicht gefunden");
          throw;
        }
      },
      InOutError);
}

}  // namespace
}  // namespace lumora
