#pragma once
// Generated invoices for the benchmarks: `lines` invoice lines of about 1 KB
// each, CR LF line ends, one element per line as invoicing software writes.

#include <string>

namespace lumora::bench {

inline std::string generateInvoice(int lines) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Invoice>\r\n"
      "  <cbc:ID>BENCH-1</cbc:ID>\r\n  <cbc:IssueDate>2026-12-01</cbc:IssueDate>\r\n";
  for (int i = 1; i <= lines; ++i) {
    const std::string n = std::to_string(i);
    xml += "  <cac:InvoiceLine>\r\n    <cbc:ID>" + n +
           "</cbc:ID>\r\n"
           "    <cbc:InvoicedQuantity unitCode=\"C62\">2</cbc:InvoicedQuantity>\r\n"
           "    <cbc:LineExtensionAmount currencyID=\"EUR\">20.00</cbc:LineExtensionAmount>\r\n"
           "    <cac:Item>\r\n"
           "      <cbc:Description>Wartung und Pflege der Anlage gem\xC3\xA4\xC3\x9F Vertrag, "
           "Position " +
           n +
           ", mit allen Nebenarbeiten und Pr\xC3\xBC"
           "fprotokoll "
           "nach den Vorgaben des Herstellers und der geltenden Normen</cbc:Description>\r\n"
           "      <cbc:Name>Wartungspaket Gro\xC3\x9F"
           "anlage Stufe " +
           n +
           "</cbc:Name>\r\n"
           "      <cac:SellersItemIdentification>\r\n        <cbc:ID>ART-" +
           n +
           "</cbc:ID>\r\n      </cac:SellersItemIdentification>\r\n"
           "      <cac:ClassifiedTaxCategory>\r\n        <cbc:ID>S</cbc:ID>\r\n"
           "        <cbc:Percent>19.00</cbc:Percent>\r\n        <cac:TaxScheme>\r\n"
           "          <cbc:ID>VAT</cbc:ID>\r\n        </cac:TaxScheme>\r\n"
           "      </cac:ClassifiedTaxCategory>\r\n    </cac:Item>\r\n    <cac:Price>\r\n"
           "      <cbc:PriceAmount currencyID=\"EUR\">10.00</cbc:PriceAmount>\r\n"
           "      <cbc:BaseQuantity unitCode=\"C62\">1</cbc:BaseQuantity>\r\n"
           "    </cac:Price>\r\n  </cac:InvoiceLine>\r\n";
  }
  xml +=
      "  <cac:LegalMonetaryTotal>\r\n"
      "    <cbc:PayableAmount currencyID=\"EUR\">1.00</cbc:PayableAmount>\r\n"
      "  </cac:LegalMonetaryTotal>\r\n</Invoice>\r\n";
  return xml;
}

}  // namespace lumora::bench
