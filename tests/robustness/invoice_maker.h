#pragma once
// Invoices made up for the hostile-input tests: a seller, a buyer, `lines`
// invoice lines at 19 % and the totals, one element per file line.

#include <string>

namespace lumora::test {

struct InvoiceSpec {
  std::string number = "4711";
  int lines = 2;
  std::string lineCurrency = "EUR";  // another one makes the run fail
  std::string lineEnd = "\r\n";

  InvoiceSpec& withNumber(std::string value) { return number = std::move(value), *this; }
  InvoiceSpec& withLines(int value) { return lines = value, *this; }
  InvoiceSpec& withLineCurrency(std::string value) {
    return lineCurrency = std::move(value), *this;
  }
  InvoiceSpec& onOneLine() { return lineEnd.clear(), *this; }
};

inline std::string invoiceLine(int n, const InvoiceSpec& spec) {
  const std::string id = std::to_string(n);
  const std::string& e = spec.lineEnd;
  return "  <cac:InvoiceLine>" + e + "    <cbc:ID>L" + id + "</cbc:ID>" + e +
         "    <cbc:InvoicedQuantity unitCode=\"C62\">2</cbc:InvoicedQuantity>" + e +
         "    <cbc:LineExtensionAmount currencyID=\"" + spec.lineCurrency +
         "\">20.00</cbc:LineExtensionAmount>" + e + "    <cac:Item>" + e +
         "      <cbc:Name>Artikel " + id + "</cbc:Name>" + e +
         "      <cac:ClassifiedTaxCategory><cbc:Percent>19</cbc:Percent>"
         "</cac:ClassifiedTaxCategory>" +
         e + "    </cac:Item>" + e +
         "    <cac:Price><cbc:PriceAmount currencyID=\"EUR\">10.00</cbc:PriceAmount></cac:Price>" +
         e + "  </cac:InvoiceLine>" + e;
}

inline std::string makeInvoice(const InvoiceSpec& spec = InvoiceSpec()) {
  const std::string& e = spec.lineEnd;
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + e + "<ubl:Invoice>" + e +
                    "  <cbc:ID>" + spec.number + "</cbc:ID>" + e +
                    "  <cbc:IssueDate>2025-03-28</cbc:IssueDate>" + e +
                    "  <cac:AccountingSupplierParty><cac:Party><cac:PartyName>"
                    "<cbc:Name>Kontorbedarf M\xC3\xBChlbach</cbc:Name></cac:PartyName>"
                    "</cac:Party></cac:AccountingSupplierParty>" +
                    e;
  for (int n = 1; n <= spec.lines; ++n) xml += invoiceLine(n, spec);
  xml += "  <cac:LegalMonetaryTotal>" + e +
         "    <cbc:PayableAmount currencyID=\"EUR\">23.80</cbc:PayableAmount>" + e +
         "  </cac:LegalMonetaryTotal>" + e + "</ubl:Invoice>" + e;
  return xml;
}

}  // namespace lumora::test
