#include "tests/support/invoice_builder.h"

#include <cmath>
#include <cstdio>

namespace lumora::test {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kUblNamespaces =
    "xmlns:cac=\"urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2\" "
    "xmlns:cbc=\"urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2\"";

// `<open>text</close>` on a file line of its own, or nothing for an empty text.
std::string element(int indent, std::string_view open, std::string_view close,
                    const std::string& text) {
  if (text.empty()) return {};
  return std::string(indent, ' ') + "<" + std::string(open) + ">" + text + "</" +
         std::string(close) + ">" + std::string(kCrLf);
}

std::string cents(long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", value / 100, value % 100);
  return text;
}

// Line breaks as LF in the source, CR LF in the file.
std::string withCrLf(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

constexpr std::string_view kBenchmarkHeader = R"(<?xml version="1.0" encoding="UTF-8"?>
<ubl:Invoice xmlns:ubl="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
             xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
             xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
  <cbc:CustomizationID>urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0</cbc:CustomizationID>
  <cbc:ID>BENCH-%d</cbc:ID>
  <cbc:IssueDate>2025-03-14</cbc:IssueDate>
  <cbc:DueDate>2025-04-13</cbc:DueDate>
  <cbc:InvoiceTypeCode>380</cbc:InvoiceTypeCode>
  <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
  <cbc:BuyerReference>04011000-12345-67</cbc:BuyerReference>
  <cac:OrderReference>
    <cbc:ID>BE-2025-0318</cbc:ID>
  </cac:OrderReference>
  <cac:AccountingSupplierParty>
    <cac:Party>
      <cbc:EndpointID schemeID="EM">rechnung@lieferant.example.org</cbc:EndpointID>
      <cac:PostalAddress>
        <cbc:StreetName>Lindenallee 12</cbc:StreetName>
        <cbc:CityName>Würzburg</cbc:CityName>
        <cbc:PostalZone>97070</cbc:PostalZone>
        <cac:Country>
          <cbc:IdentificationCode>DE</cbc:IdentificationCode>
        </cac:Country>
      </cac:PostalAddress>
      <cac:PartyTaxScheme>
        <cbc:CompanyID>DE298765431</cbc:CompanyID>
        <cac:TaxScheme>
          <cbc:ID>VAT</cbc:ID>
        </cac:TaxScheme>
      </cac:PartyTaxScheme>
      <cac:PartyLegalEntity>
        <cbc:RegistrationName>Lieferant Mühlbach &amp; Söhne GmbH</cbc:RegistrationName>
      </cac:PartyLegalEntity>
      <cac:Contact>
        <cbc:Telephone>0931 555 0142</cbc:Telephone>
        <cbc:ElectronicMail>buchhaltung@lieferant.example.org</cbc:ElectronicMail>
      </cac:Contact>
    </cac:Party>
  </cac:AccountingSupplierParty>
  <cac:AccountingCustomerParty>
    <cac:Party>
      <cac:PostalAddress>
        <cbc:StreetName>Am Wasserturm 3</cbc:StreetName>
        <cbc:CityName>Musterstadt</cbc:CityName>
        <cbc:PostalZone>97999</cbc:PostalZone>
        <cac:Country>
          <cbc:IdentificationCode>DE</cbc:IdentificationCode>
        </cac:Country>
      </cac:PostalAddress>
      <cac:PartyLegalEntity>
        <cbc:RegistrationName>Stadtwerke Musterstadt</cbc:RegistrationName>
      </cac:PartyLegalEntity>
    </cac:Party>
  </cac:AccountingCustomerParty>
  <cac:PaymentMeans>
    <cbc:PaymentMeansCode>58</cbc:PaymentMeansCode>
    <cac:PayeeFinancialAccount>
      <cbc:ID>DE02120300000000202051</cbc:ID>
    </cac:PayeeFinancialAccount>
  </cac:PaymentMeans>
  <cac:PaymentTerms>
    <cbc:Note>Zahlbar innerhalb von 30 Tagen ohne Abzug.</cbc:Note>
  </cac:PaymentTerms>
)";

constexpr std::string_view kBenchmarkTotals = R"(  <cac:LegalMonetaryTotal>
    <cbc:LineExtensionAmount currencyID="EUR">%s</cbc:LineExtensionAmount>
    <cbc:TaxExclusiveAmount currencyID="EUR">%s</cbc:TaxExclusiveAmount>
    <cbc:TaxInclusiveAmount currencyID="EUR">%s</cbc:TaxInclusiveAmount>
    <cbc:AllowanceTotalAmount currencyID="EUR">0.00</cbc:AllowanceTotalAmount>
    <cbc:PrepaidAmount currencyID="EUR">0.00</cbc:PrepaidAmount>
    <cbc:PayableAmount currencyID="EUR">%s</cbc:PayableAmount>
  </cac:LegalMonetaryTotal>
</ubl:Invoice>
)";

}  // namespace

const std::string kSeller =
    "<cac:AccountingSupplierParty><cac:Party><cac:PostalAddress>"
    "<cbc:StreetName>Hauptstr. 1</cbc:StreetName><cbc:CityName>Köln</cbc:CityName>"
    "<cbc:PostalZone>50667</cbc:PostalZone></cac:PostalAddress>"
    "<cac:PartyLegalEntity><cbc:RegistrationName>Muster &amp; Co KG</cbc:RegistrationName>"
    "</cac:PartyLegalEntity><cac:Contact><cbc:Telephone>0221 1</cbc:Telephone>"
    "<cbc:ElectronicMail>info@muster.example.org</cbc:ElectronicMail></cac:Contact>"
    "</cac:Party></cac:AccountingSupplierParty>";

const std::string kPlainBuyer =
    "<cac:AccountingCustomerParty><cac:Party><cac:PostalAddress>"
    "<cbc:StreetName>Ring 2</cbc:StreetName><cbc:CityName>Bonn</cbc:CityName>"
    "<cbc:PostalZone>53111</cbc:PostalZone></cac:PostalAddress><cac:PartyLegalEntity>"
    "<cbc:RegistrationName>Kunde AG</cbc:RegistrationName></cac:PartyLegalEntity>"
    "</cac:Party></cac:AccountingCustomerParty>";

std::string invoiceLineXml(const InvoiceLine& l) {
  const std::string money = " currencyID=\"" + l.currency + "\"";
  std::string x = "<cac:InvoiceLine>\r\n";
  x += element(4, "cbc:ID", "cbc:ID", l.id);
  x += element(4, "cbc:InvoicedQuantity unitCode=\"" + l.unit + "\"", "cbc:InvoicedQuantity",
               l.quantity);
  x += element(4, "cbc:LineExtensionAmount" + money, "cbc:LineExtensionAmount", l.amount);
  x += "    <cac:Item>\r\n";
  x += element(6, "cbc:Description", "cbc:Description", l.description);
  x += element(6, "cbc:Name", "cbc:Name", l.name);
  if (!l.sellerId.empty()) {
    x += "      <cac:SellersItemIdentification>\r\n" + element(8, "cbc:ID", "cbc:ID", l.sellerId) +
         "      </cac:SellersItemIdentification>\r\n";
  }
  x += "      <cac:ClassifiedTaxCategory>\r\n";
  x += element(8, "cbc:ID", "cbc:ID", l.taxCategory);
  x += element(8, "cbc:Percent", "cbc:Percent", l.percent);
  if (!l.taxCategory.empty()) {
    x +=
        "        <cac:TaxScheme>\r\n          <cbc:ID>VAT</cbc:ID>\r\n        </cac:TaxScheme>\r\n";
  }
  x += "      </cac:ClassifiedTaxCategory>\r\n    </cac:Item>\r\n";
  if (!l.priceAmount.empty() || !l.baseAmount.empty()) {
    x += "    <cac:Price>\r\n";
    x += element(6, "cbc:PriceAmount" + money, "cbc:PriceAmount", l.priceAmount);
    x += element(6, "cbc:BaseQuantity unitCode=\"C62\"", "cbc:BaseQuantity", l.baseQuantity);
    if (!l.baseAmount.empty()) {
      x += "      <cac:AllowanceCharge><cbc:ChargeIndicator>false</cbc:ChargeIndicator>";
      x += "<cbc:BaseAmount" + money + ">" + l.baseAmount + "</cbc:BaseAmount>";
      x += "</cac:AllowanceCharge>\r\n";
    }
    x += "    </cac:Price>\r\n";
  }
  return x + "  </cac:InvoiceLine>";
}

std::vector<InvoiceLine> numberedLines(int count) {
  std::vector<InvoiceLine> lines;
  for (int i = 1; i <= count; ++i) {
    InvoiceLine line;
    line.id = std::to_string(i);
    line.name = "Artikel " + line.id;
    line.sellerId.clear();
    line.taxCategory.clear();
    line.quantity = "1";
    line.amount = "10.00";
    line.priceAmount.clear();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> invoiceLines(int count) {
  std::vector<std::string> elements;
  for (const InvoiceLine& line : numberedLines(count)) elements.push_back(invoiceLineXml(line));
  return elements;
}

std::string onOneLine(std::string xml) {
  std::erase(xml, '\r');
  std::erase(xml, '\n');
  return xml;
}

std::string invoiceFile(const std::vector<std::string>& elements, std::string_view root) {
  const std::size_t colon = root.find(':');
  const std::string prefix =
      colon == std::string_view::npos ? "" : ":" + std::string(root.substr(0, colon));
  const std::string_view name = root.substr(colon == std::string_view::npos ? 0 : colon + 1);
  std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<" + std::string(root) +
                     " xmlns" + prefix +
                     "=\"urn:oasis:names:specification:ubl:schema:xsd:" + std::string(name) +
                     "-2\" " + std::string(kUblNamespaces) + ">\r\n";
  for (const std::string& e : elements) file += "  " + e + "\r\n";
  return file + "</" + std::string(root) + ">\r\n";
}

std::string payableTotal(const std::string& amount) {
  return "<cac:LegalMonetaryTotal><cbc:PayableAmount currencyID=\"EUR\">" + amount +
         "</cbc:PayableAmount></cac:LegalMonetaryTotal>";
}

std::string minimalInvoice(const std::string& number, const std::vector<std::string>& more) {
  std::vector<std::string> elements = {"<cbc:ID>" + number + "</cbc:ID>",
                                       "<cbc:IssueDate>2024-05-17</cbc:IssueDate>",
                                       "<cbc:DueDate>2024-06-16</cbc:DueDate>",
                                       "<cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>",
                                       kSeller,
                                       kPlainBuyer};
  elements.insert(elements.end(), more.begin(), more.end());
  return invoiceFile(elements);
}

std::string makeInvoice(const InvoiceRecipe& recipe) {
  std::vector<std::string> elements;
  for (InvoiceLine line : numberedLines(recipe.lines)) {
    line.id = "L" + line.id;
    if (!recipe.lineAmount.empty()) line.amount = recipe.lineAmount;
    elements.push_back(invoiceLineXml(line));
  }
  elements.push_back(payableTotal(cents(recipe.lines * 1190LL)));
  const std::string xml = minimalInvoice(recipe.number, elements);
  return recipe.oneFileLine ? onOneLine(xml) : xml;
}

std::string benchmarkInvoice(int lines) {
  std::string header(kBenchmarkHeader.size() + 16, '\0');
  header.resize(static_cast<std::size_t>(
      std::snprintf(header.data(), header.size(), kBenchmarkHeader.data(), lines)));
  std::string xml = withCrLf(header);
  long long net = 0;
  long long tax = 0;  // in hundredths of cents
  for (int n = 1; n <= lines; ++n) {
    const long long price = 150 + (n * 37LL) % 9000;
    const int quantity = 1 + n % 12;
    const int percent = n % 5 == 0 ? 7 : 19;
    InvoiceLine line;
    line.id = std::to_string(n);
    line.unit = n % 4 ? "C62" : "H87";
    line.quantity = std::to_string(quantity);
    line.amount = cents(price * quantity);
    line.description = "Lieferung gemäß Rahmenvertrag, Position " + line.id + ", mit Prüfprotokoll";
    // Every third name runs past the 45 characters of the name column.
    line.name = "Kugellager Typ " + line.id;
    if (n % 3 == 0) line.name += ", rostfrei, mit beidseitiger Dichtung und Schmierung";
    line.sellerId = "ART-" + line.id;
    line.percent = std::to_string(percent) + ".00";
    line.priceAmount = cents(price);
    xml += "  " + invoiceLineXml(line) + "\r\n";
    net += price * quantity;
    tax += price * quantity * percent;
  }
  // Halfway cases go to the even cent.
  const long long gross = net + static_cast<long long>(std::nearbyint(tax / 100.0));
  std::string totals(kBenchmarkTotals.size() + 64, '\0');
  totals.resize(static_cast<std::size_t>(
      std::snprintf(totals.data(), totals.size(), kBenchmarkTotals.data(), cents(net).c_str(),
                    cents(net).c_str(), cents(gross).c_str(), cents(gross).c_str())));
  return xml + withCrLf(totals);
}

}  // namespace lumora::test
