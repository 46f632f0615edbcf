// The header and party blocks of the first page, read back from the
// recording printer in millimetres.

#include <gtest/gtest.h>

#include "render/layout_context.h"
#include "tests/render/render_fixture.h"

namespace lumora::test {
namespace {

// Metadata lines as "y label value": labels at x 115, values at x 155.
std::vector<std::string> metadataLines(const RecordingPrinter& printer) {
  std::vector<std::string> lines;
  for (const PrintedText& label : printer.onPage(1)) {
    if (label.x != 115) continue;
    std::string line = std::to_string(label.y) + " " + label.text;
    for (const PrintedText& value : printer.onPage(1)) {
      if (value.x == 155 && value.y == label.y) line += " " + value.text;
    }
    lines.push_back(line);
  }
  return lines;
}

bool leftColumnAboveTable(const PrintedText& t) {
  return t.x == 20 && t.y <= 109;
}
bool footerRightColumn(const PrintedText& t) {
  return t.x == 140 && t.y >= 270;
}

const std::string kRule = std::string(110, '_');

TEST(HeaderBlocksTest, EveryRowDrawnWithAddressLine) {
  TempDir folder;
  const std::string seller =
      "<cac:AccountingSupplierParty><cac:Party><cac:PostalAddress>"
      "<cbc:StreetName>Hauptstr. 1</cbc:StreetName><cbc:CityName>Köln</cbc:CityName>"
      "<cbc:PostalZone>50667</cbc:PostalZone>"
      "<cac:AddressLine><cbc:Line>Frau Roth</cbc:Line></cac:AddressLine></cac:PostalAddress>"
      "<cac:PartyTaxScheme><cbc:CompanyID>DE111111111</cbc:CompanyID>"
      "<cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>"
      "<cac:PartyTaxScheme><cbc:CompanyID>214/5/6</cbc:CompanyID>"
      "<cac:TaxScheme><cbc:ID>FC</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>"
      "<cac:PartyLegalEntity><cbc:RegistrationName>Muster &amp; Co KG</cbc:RegistrationName>"
      "<cbc:CompanyID>HRA 1</cbc:CompanyID></cac:PartyLegalEntity>"
      "<cac:Contact><cbc:Telephone>0221 1</cbc:Telephone>"
      "<cbc:ElectronicMail>info@muster.example.org</cbc:ElectronicMail></cac:Contact>"
      "</cac:Party></cac:AccountingSupplierParty>";
  const std::string buyer =
      "<cac:AccountingCustomerParty><cac:Party><cac:PartyIdentification>"
      "<cbc:ID schemeID=\"0002\">12345</cbc:ID></cac:PartyIdentification><cac:PostalAddress>"
      "<cbc:StreetName>Ring 2</cbc:StreetName><cbc:CityName>Bonn</cbc:CityName>"
      "<cbc:PostalZone>53111</cbc:PostalZone>"
      "<cac:AddressLine><cbc:Line>Einkauf</cbc:Line></cac:AddressLine></cac:PostalAddress>"
      "<cac:PartyLegalEntity><cbc:RegistrationName>Kunde AG</cbc:RegistrationName>"
      "</cac:PartyLegalEntity><cac:Contact><cbc:Telephone>0228 2</cbc:Telephone>"
      "<cbc:ElectronicMail>ek@kunde.example.com</cbc:ElectronicMail></cac:Contact>"
      "</cac:Party></cac:AccountingCustomerParty>";
  const std::string path = folder.write(
      "r.xml",
      invoiceFile({"<cbc:ID>4711</cbc:ID>", "<cbc:IssueDate>2024-05-17</cbc:IssueDate>",
                   "<cbc:DueDate>2024-06-16</cbc:DueDate>",
                   "<cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>",
                   "<cbc:BuyerReference>991-12345-67</cbc:BuyerReference>",
                   "<cac:OrderReference><cbc:ID>B-77</cbc:ID></cac:OrderReference>", seller, buyer,
                   "<cac:Delivery><cbc:ActualDeliveryDate>2024-05-15"
                   "</cbc:ActualDeliveryDate></cac:Delivery>",
                   "<cac:PaymentMeans><cbc:PaymentMeansCode>58</cbc:PaymentMeansCode>"
                   "<cac:PayeeFinancialAccount><cbc:ID>DE02100100100006820101</cbc:ID>"
                   "</cac:PayeeFinancialAccount></cac:PaymentMeans>"}));
  RunRig rig;
  rig.start(path);

  EXPECT_EQ(
      metadataLines(rig.printer),
      (std::vector<std::string>{
          "15 Rechnungsnummer: 4711", "20 Kundennummer: 12345", "25 Bestellnummer: B-77",
          "30 Rechnungsdatum: 17.05.2024", "35 Lieferdatum: 15.05.2024",
          "40 Fälligkeit: 16.06.2024", "45 Währung: EUR", "50 Leitweg: 991-12345-67",
          "55 Ansprechpartner: Frau Roth", "60 UST-ID: DE111111111", "65 Steuernummer: 214/5/6",
          "70 Handelsregister: HRA 1", "75 IBAN: DE02100100100006820101", "80 Tel. Kunde: 0228 2",
          "85 Email Kunde: ek@kunde.example.com"}));
  EXPECT_EQ(
      placed(rig.printer, 1, leftColumnAboveTable),
      (std::vector<std::string>{
          "5 20 14 Muster & Co KG", "15 20 10 Hauptstr. 1", "20 20 10 50667 Köln",
          "25 20 10 Tel.:  0221 1", "30 20 10 Email: info@muster.example.org",
          "45 20 7 Abs: Muster & Co KG", "48 20 7 Hauptstr. 1 - 50667 Köln", "56 20 12 Kunde AG",
          "61 20 12 Einkauf", "66 20 12 Ring 2", "71 20 12 53111 Bonn", "91 20 14 Rechnung  4711",
          "101 20 8 " + kRule, "106 20 8 Pos", "109 20 8 " + kRule}));
  EXPECT_EQ(placed(rig.printer, 1, [](const PrintedText& t) { return t.y == 106; }),
            (std::vector<std::string>{"106 20 8 Pos", "106 30 8 ArtikelNr", "106 50 8 Bezeichnung",
                                      "106 110 8 Menge", "106 125 8 MWST", "106 145 8 Einzelpreis",
                                      "106 165 8 Gesamtpreis"}));
  // The captured texts reach the footer.
  EXPECT_EQ(placed(rig.printer, 1, footerRightColumn),
            (std::vector<std::string>{"275 140 8 UST-ID: DE111111111",
                                      "280 140 8 Steuernummer: 214/5/6"}));
}

TEST(HeaderBlocksTest, OptionalRowsLeftOutCloseUpAndTheTableStartsHigher) {
  TempDir folder;
  RunRig rig;
  rig.start(folder.write("r.xml", minimalInvoice("4711")));

  EXPECT_EQ(metadataLines(rig.printer),
            (std::vector<std::string>{"15 Rechnungsnummer: 4711", "20 Rechnungsdatum: 17.05.2024",
                                      "25 Lieferdatum: ", "30 Fälligkeit: 16.06.2024",
                                      "35 Währung: EUR"}));
  // Without an address line the table starts 5 mm higher, under a rule at 104.
  const auto left =
      placed(rig.printer, 1, [](const PrintedText& t) { return t.x == 20 && t.y <= 104; });
  EXPECT_EQ(std::vector<std::string>(left.begin() + 7, left.end()),
            (std::vector<std::string>{"56 20 12 Kunde AG", "61 20 12 Ring 2", "66 20 12 53111 Bonn",
                                      "86 20 14 Rechnung  4711", "96 20 8 " + kRule, "101 20 8 Pos",
                                      "104 20 8 " + kRule}));
  EXPECT_EQ(placed(rig.printer, 1, footerRightColumn),
            (std::vector<std::string>{"275 140 8 UST-ID: ", "280 140 8 Steuernummer: "}));
}

// The scheme, not the order, tells the VAT identifier from the tax number.
TEST(HeaderBlocksTest, OneTaxSchemeFillsTheRowOfItsScheme) {
  for (const auto& [scheme, row, footer] :
       {std::tuple{
            "VAT", "40 UST-ID: DE111111111",
            std::vector<std::string>{"275 140 8 UST-ID: DE111111111", "280 140 8 Steuernummer: "}},
        std::tuple{"FC", "40 Steuernummer: DE111111111",
                   std::vector<std::string>{"275 140 8 UST-ID: ",
                                            "280 140 8 Steuernummer: DE111111111"}}}) {
    TempDir folder;
    std::string seller = kSeller;
    seller.insert(seller.find("<cac:PartyLegalEntity>"),
                  "<cac:PartyTaxScheme><cbc:CompanyID>DE111111111</cbc:CompanyID><cac:TaxScheme>"
                  "<cbc:ID>" +
                      std::string(scheme) + "</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>");
    std::string invoice = minimalInvoice("4711");
    invoice.replace(invoice.find(kSeller), kSeller.size(), seller);
    RunRig rig;
    rig.start(folder.write("r.xml", invoice));

    const auto lines = metadataLines(rig.printer);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.back(), row);
    EXPECT_EQ(placed(rig.printer, 1, footerRightColumn), footer);
  }
}

TEST(HeaderBlocksTest, CustomerNumberWhateverItsScheme) {
  const struct {
    std::string id;
    std::string drawn;
  } cases[] = {
      {"<cbc:ID schemeID=\"0002\">12345</cbc:ID>", "12345"},
      {"<cbc:ID>12345</cbc:ID>", "12345"},
      {"<cbc:ID schemeID=\"0088\">12345</cbc:ID>", "12345"},
  };
  for (const auto& c : cases) {
    TempDir folder;
    std::string buyer = kPlainBuyer;
    buyer.insert(buyer.find("<cac:PostalAddress>"),
                 "<cac:PartyIdentification>" + c.id + "</cac:PartyIdentification>");
    std::string invoice = minimalInvoice("4711");
    invoice.replace(invoice.find(kPlainBuyer), kPlainBuyer.size(), buyer);
    RunRig rig;
    rig.start(folder.write("r.xml", invoice));
    EXPECT_EQ(metadataLines(rig.printer).at(1), "20 Kundennummer: " + c.drawn) << c.id;
  }
}

}  // namespace
}  // namespace lumora::test
