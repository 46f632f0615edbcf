// The three kinds of e-invoice on the same page: a CII invoice lays out
// exactly like its UBL twin, a UBL credit note reads its own elements, and a
// credit note of either syntax is headed "Gutschrift".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/render/render_fixture.h"

namespace lumora::test {
namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The CII twin of minimalInvoice("4711", invoiceLines(count)).
std::string ciiInvoice(int count) {
  std::string lines;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    lines +=
        "<ram:IncludedSupplyChainTradeLineItem><ram:AssociatedDocumentLineDocument><ram:LineID>" +
        n +
        "</ram:LineID></ram:AssociatedDocumentLineDocument><ram:SpecifiedTradeProduct>"
        "<ram:Name>Artikel " +
        n +
        "</ram:Name></ram:SpecifiedTradeProduct>"
        "<ram:SpecifiedLineTradeDelivery><ram:BilledQuantity unitCode=\"C62\">1"
        "</ram:BilledQuantity></ram:SpecifiedLineTradeDelivery>"
        "<ram:SpecifiedLineTradeSettlement><ram:ApplicableTradeTax><ram:TypeCode>VAT"
        "</ram:TypeCode><ram:RateApplicablePercent>19.00</ram:RateApplicablePercent>"
        "</ram:ApplicableTradeTax><ram:SpecifiedTradeSettlementLineMonetarySummation>"
        "<ram:LineTotalAmount>10.00</ram:LineTotalAmount>"
        "</ram:SpecifiedTradeSettlementLineMonetarySummation></ram:SpecifiedLineTradeSettlement>"
        "</ram:IncludedSupplyChainTradeLineItem>\r\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
         "<rsm:CrossIndustryInvoice "
         "xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\" "
         "xmlns:ram=\"urn:un:unece:uncefact:data:standard:"
         "ReusableAggregateBusinessInformationEntity:100\" "
         "xmlns:udt=\"urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100\">\r\n"
         "<rsm:ExchangedDocumentContext><ram:GuidelineSpecifiedDocumentContextParameter>"
         "<ram:ID>urn:cen.eu:en16931:2017</ram:ID></ram:GuidelineSpecifiedDocumentContextParameter>"
         "</rsm:ExchangedDocumentContext>\r\n"
         "<rsm:ExchangedDocument>\r\n<ram:ID>4711</ram:ID>\r\n<ram:TypeCode>380</ram:TypeCode>\r\n"
         "<ram:IssueDateTime>\r\n<udt:DateTimeString format=\"102\">20240517</udt:DateTimeString>"
         "\r\n</ram:IssueDateTime>\r\n</rsm:ExchangedDocument>\r\n"
         "<rsm:SupplyChainTradeTransaction>\r\n" +
         lines +
         "<ram:ApplicableHeaderTradeAgreement>\r\n<ram:SellerTradeParty>\r\n"
         "<ram:Name>Muster &amp; Co KG</ram:Name>\r\n<ram:DefinedTradeContact>"
         "<ram:TelephoneUniversalCommunication><ram:CompleteNumber>0221 1</ram:CompleteNumber>"
         "</ram:TelephoneUniversalCommunication><ram:EmailURIUniversalCommunication>"
         "<ram:URIID>info@muster.example.org</ram:URIID></ram:EmailURIUniversalCommunication>"
         "</ram:DefinedTradeContact>\r\n<ram:PostalTradeAddress><ram:PostcodeCode>50667"
         "</ram:PostcodeCode><ram:LineOne>Hauptstr. 1</ram:LineOne><ram:CityName>Köln"
         "</ram:CityName></ram:PostalTradeAddress>\r\n<ram:URIUniversalCommunication>"
         "<ram:URIID schemeID=\"EM\">info@muster.example.org</ram:URIID>"
         "</ram:URIUniversalCommunication>\r\n</ram:SellerTradeParty>\r\n"
         "<ram:BuyerTradeParty><ram:Name>Kunde AG</ram:Name><ram:PostalTradeAddress>"
         "<ram:PostcodeCode>53111</ram:PostcodeCode><ram:LineOne>Ring 2</ram:LineOne>"
         "<ram:CityName>Bonn</ram:CityName></ram:PostalTradeAddress>"
         "<ram:SpecifiedTaxRegistration><ram:ID schemeID=\"VA\">DE999</ram:ID>"
         "</ram:SpecifiedTaxRegistration></ram:BuyerTradeParty>\r\n"
         "</ram:ApplicableHeaderTradeAgreement>\r\n<ram:ApplicableHeaderTradeDelivery/>\r\n"
         "<ram:ApplicableHeaderTradeSettlement>\r\n"
         "<ram:InvoiceCurrencyCode>EUR</ram:InvoiceCurrencyCode>\r\n"
         "<ram:SpecifiedTradePaymentTerms><ram:DueDateDateTime>"
         "<udt:DateTimeString format=\"102\">20240616</udt:DateTimeString></ram:DueDateDateTime>"
         "</ram:SpecifiedTradePaymentTerms>\r\n</ram:ApplicableHeaderTradeSettlement>\r\n"
         "</rsm:SupplyChainTradeTransaction>\r\n</rsm:CrossIndustryInvoice>\r\n";
}

// The UBL twin, as a credit note: its own root, lines, quantities and due date.
std::string ublCreditNote(int count) {
  std::string note = minimalInvoice("4711", invoiceLines(count));
  note = replaced(note, "ubl:Invoice", "ubl:CreditNote");
  note = replaced(note, "xsd:Invoice-2", "xsd:CreditNote-2");
  note = replaced(note, "cac:InvoiceLine>", "cac:CreditNoteLine>");
  note = replaced(note, "cbc:InvoicedQuantity", "cbc:CreditedQuantity");
  return replaced(note, "<cbc:DueDate>2024-06-16</cbc:DueDate>",
                  "<cac:PaymentMeans><cbc:PaymentDueDate>2024-06-16</cbc:PaymentDueDate>"
                  "</cac:PaymentMeans>");
}

// Everything a run placed, page by page, in millimetres.
std::vector<std::string> pages(const std::string& invoice) {
  TempDir folder;
  RunRig rig;
  rig.start(folder.write("r.xml", invoice));
  std::vector<std::string> placed;
  for (int page = 1; page <= rig.printer.page; ++page) {
    for (const PrintedText& t : rig.printer.onPage(page)) {
      placed.push_back(std::to_string(page) + " " + std::to_string(t.x) + " " +
                       std::to_string(t.y) + " " + std::to_string(t.size) + " " + t.text);
    }
  }
  return placed;
}

// Names the first text that differs, which says more than the two lists.
void expectSamePages(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected) {
  for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "text " << i << ": " << actual[i] << "\n expected: " << expected[i];
      return;
    }
  }
  EXPECT_EQ(actual.size(), expected.size());
}

// A file written on one line, or with line feeds alone.
std::string oneLine(const std::string& text) {
  return replaced(text, "\r\n", "");
}
std::string lineFeeds(const std::string& text) {
  return replaced(text, "\r\n", "\n");
}

TEST(SyntaxTest, CiiInvoiceLaysOutLikeItsUblTwin) {
  // Two pages: header fields, dates (the delivery date missing in both),
  // rows, sums, page change and footers, in each way of writing the file.
  const std::string ubl = minimalInvoice("4711", invoiceLines(17));
  const std::string cii = ciiInvoice(17);
  const std::vector<std::string> expected = pages(ubl);
  ASSERT_GT(expected.size(), 17u * 7);
  expectSamePages(pages(cii), expected);
  expectSamePages(pages(lineFeeds(cii)), pages(lineFeeds(ubl)));
  expectSamePages(pages(oneLine(cii)), expected);
}

TEST(SyntaxTest, CreditNotesAreHeadedGutschrift) {
  const auto withCode = [](std::string text, const std::string& code) {
    return replaced(text, "<cbc:DueDate>",
                    "<cbc:InvoiceTypeCode>" + code + "</cbc:InvoiceTypeCode>\r\n  <cbc:DueDate>");
  };
  const std::string ubl = minimalInvoice("4711", invoiceLines(17));
  const struct {
    const char* what;
    std::string invoice;
    const char* title;
  } cases[] = {
      {"UBL invoice", withCode(ubl, "380"), "Rechnung"},
      {"UBL invoice of type 381", withCode(ubl, "381"), "Gutschrift"},
      {"UBL credit note", ublCreditNote(17), "Gutschrift"},
      {"CII invoice", ciiInvoice(17), "Rechnung"},
      {"CII invoice of type 381", replaced(ciiInvoice(17), ">380<", ">381<"), "Gutschrift"},
  };
  // Everything but the heading and the continuation header stays as it is.
  std::vector<std::string> expected = pages(ubl);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string title = c.title;
    std::vector<std::string> want = expected;
    for (std::string& text : want) {
      text = replaced(text, "1 20 86 14 Rechnung  ", "1 20 86 14 " + title + "  ");
      text = replaced(text, "2 80 5 8 Rechnung ", "2 80 5 8 " + title + " ");
    }
    expectSamePages(pages(c.invoice), want);
  }
}

TEST(SyntaxTest, CiiAmountsInAnotherCurrency) {
  // Summed like euro amounts; the currency row and the amount due name it.
  std::vector<std::string> want = pages(ciiInvoice(2));
  for (std::string& text : want) {
    text = replaced(text, "1 155 35 8 EUR", "1 155 35 8 USD");
  }
  const auto due = std::find_if(want.begin(), want.end(),
                                [](const std::string& text) { return text.ends_with(" €"); });
  ASSERT_NE(due, want.end());
  *due = replaced(*due, " €", " USD");
  expectSamePages(pages(replaced(ciiInvoice(2), ">EUR<", ">USD<")), want);
}

}  // namespace
}  // namespace lumora::test
