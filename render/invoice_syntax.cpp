#include "render/invoice_syntax.h"

#include <utility>

namespace lumora {
namespace {

using Kind = Search::Kind;

// UBL: X in the text, as getvalue finds it.
Search in(std::string_view name, int occurrence = 1) {
  return {Kind::Value, name, name, occurrence};
}
// UBL: an opening marker with the attributes the file must hold.
Search in(std::string_view open, std::string_view close) {
  return {Kind::Value, open, close};
}
Search without(std::string_view text) {
  return {Kind::Without, text, {}};
}
Search before(std::string_view text) {
  return {Kind::Before, text, {}};
}
const Search kUnitCut{Kind::UnitCut, {}, {}};
// CII: the element X, whatever attributes its opening tag carries.
Search el(std::string_view open, std::string_view close = {}) {
  return {Kind::Element, open, close};
}

using Entries = std::vector<std::pair<Field, SearchChain>>;

InvoiceSyntax makeSyntax(std::string_view lineElement, DateForm dates, bool creditNote,
                         bool currencyOfDocument, const Entries& entries) {
  InvoiceSyntax syntax{lineElement, dates, creditNote, currencyOfDocument, {}};
  for (const auto& [field, chain] : entries) syntax.chains[static_cast<std::size_t>(field)] = chain;
  return syntax;
}

// The attribute that the customer number's opening tag may carry; once it is
// removed, the plain marker <cbc:ID> matches.
constexpr std::string_view kCustomerScheme = " schemeID=\"0002\"";

// The UBL fields of an invoice and a credit note alike; the few that differ
// follow in each table.
Entries ublEntries() {
  const Search seller = in("cac:AccountingSupplierParty");
  const Search customer = in("cac:AccountingCustomerParty");
  const Search party = in("cac:Party");
  const Search totals = in("cac:LegalMonetaryTotal");
  return {
      {Field::InvoiceNumber, {in("cbc:ID")}},
      {Field::CustomerNumber,
       {customer, in("cac:PartyIdentification"), without(kCustomerScheme), in("cbc:ID")}},
      {Field::OrderNumber, {in("cac:OrderReference"), in("cbc:ID")}},
      {Field::IssueDate, {in("cbc:IssueDate")}},
      {Field::DeliveryDate, {in("cbc:ActualDeliveryDate")}},
      {Field::Currency, {in("cbc:DocumentCurrencyCode")}},
      {Field::BuyerReference, {in("cbc:BuyerReference")}},
      {Field::Iban, {in("cac:PaymentMeans"), in("cbc:ID")}},
      {Field::SellerName, {seller, party, in("cac:PartyLegalEntity"), in("cbc:RegistrationName")}},
      {Field::SellerStreet, {seller, party, in("cac:PostalAddress"), in("cbc:StreetName")}},
      {Field::SellerPostalZone, {seller, party, in("cac:PostalAddress"), in("cbc:PostalZone")}},
      {Field::SellerCity, {seller, party, in("cac:PostalAddress"), in("cbc:CityName")}},
      {Field::SellerPhone, {seller, party, in("cbc:Telephone")}},
      {Field::SellerMail, {seller, party, in("cbc:ElectronicMail")}},
      {Field::SellerAddressLine, {seller, party, in("cac:AddressLine"), in("cbc:Line")}},
      // The two company identifiers are told apart only by the order of the
      // tax schemes.
      {Field::SellerVatId, {seller, party, in("cac:PartyTaxScheme"), in("cbc:CompanyID")}},
      {Field::SellerTaxNumber, {seller, party, in("cac:PartyTaxScheme", 2), in("cbc:CompanyID")}},
      {Field::SellerRegistration, {seller, party, in("cac:PartyLegalEntity"), in("cbc:CompanyID")}},
      {Field::BuyerName, {customer, party, in("cbc:RegistrationName")}},
      {Field::BuyerAddressLine, {customer, party, in("cac:AddressLine"), in("cbc:Line")}},
      {Field::BuyerStreet, {customer, party, in("cbc:StreetName")}},
      {Field::BuyerPostalZone, {customer, party, in("cbc:PostalZone")}},
      {Field::BuyerCity, {customer, party, in("cbc:CityName")}},
      {Field::BuyerPhone, {customer, in("cac:Contact"), in("cbc:Telephone")}},
      {Field::BuyerMail, {customer, in("cac:Contact"), in("cbc:ElectronicMail")}},
      {Field::NetTotal,
       {totals, in(R"(cbc:TaxExclusiveAmount currencyID="EUR")", "cbc:TaxExclusiveAmount")}},
      {Field::GrossTotal,
       {totals, in(R"(cbc:TaxInclusiveAmount currencyID="EUR")", "cbc:TaxInclusiveAmount")}},
      {Field::AllowanceTotal,
       {totals, in(R"(cbc:AllowanceTotalAmount currencyID="EUR")", "cbc:AllowanceTotalAmount")}},
      {Field::PrepaidTotal,
       {totals, in(R"(cbc:PrepaidAmount currencyID="EUR")", "cbc:PrepaidAmount")}},
      {Field::PayableAmount,
       {totals, in(R"(cbc:PayableAmount currencyID="EUR")", "cbc:PayableAmount")}},
      {Field::PaymentNote, {in("cac:PaymentTerms"), in("cbc:Note")}},
      {Field::LineId, {in("cbc:ID")}},
      {Field::ItemNumber, {in("cac:SellersItemIdentification"), in("cbc:ID")}},
      {Field::ItemName, {in("cbc:Name")}},
      {Field::ItemDescription, {in("cbc:Description")}},
      {Field::Rate, {in("cbc:Percent")}},
      {Field::BasePrice, {in(R"(cbc:BaseAmount currencyID="EUR")", "cbc:BaseAmount")}},
      {Field::Price, {in(R"(cbc:PriceAmount currencyID="EUR")", "cbc:PriceAmount")}},
      {Field::LineAmount,
       {in(R"(cbc:LineExtensionAmount currencyID="EUR")", "cbc:LineExtensionAmount")}},
  };
}

InvoiceSyntax ublInvoice() {
  Entries entries = ublEntries();
  entries.push_back({Field::TypeCode, {in("cbc:InvoiceTypeCode")}});
  entries.push_back({Field::DueDate, {in("cbc:DueDate")}});
  // Only C62 is asked for by name; any other unit comes through the
  // reader's fallback and is cut down to its number.
  entries.push_back(
      {Field::Quantity,
       {in(R"(cbc:InvoicedQuantity unitCode="C62")", "cbc:InvoicedQuantity"), kUnitCut}});
  return makeSyntax("cac:InvoiceLine", DateForm::Iso, false, false, entries);
}

InvoiceSyntax ublCreditNote() {
  Entries entries = ublEntries();
  entries.push_back({Field::DueDate, {in("cbc:PaymentDueDate")}});
  entries.push_back(
      {Field::Quantity,
       {in(R"(cbc:CreditedQuantity unitCode="C62")", "cbc:CreditedQuantity"), kUnitCut}});
  return makeSyntax("cac:CreditNoteLine", DateForm::Iso, true, false, entries);
}

InvoiceSyntax crossIndustryInvoice() {
  const Search document = in("rsm:ExchangedDocument");
  const Search agreement = in("ram:ApplicableHeaderTradeAgreement");
  const Search seller = in("ram:SellerTradeParty");
  const Search buyer = in("ram:BuyerTradeParty");
  const Search address = el("ram:PostalTradeAddress");
  const Search contact = el("ram:DefinedTradeContact");
  const Search phone = el("ram:TelephoneUniversalCommunication");
  const Search mail = el("ram:EmailURIUniversalCommunication");
  const Search totals = in("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
  const Search product = el("ram:SpecifiedTradeProduct");
  const Search date = el("udt:DateTimeString");
  return makeSyntax(
      "ram:IncludedSupplyChainTradeLineItem", DateForm::Compact, false, true,
      {
          {Field::InvoiceNumber, {document, el("ram:ID")}},
          {Field::TypeCode, {document, el("ram:TypeCode")}},
          // The party's own identifier stands before its name; identifiers
          // of its legal organisation and tax registrations follow the name.
          {Field::CustomerNumber, {buyer, before("<ram:Name>"), el("ram:ID")}},
          {Field::OrderNumber,
           {agreement, el("ram:BuyerOrderReferencedDocument"), el("ram:IssuerAssignedID")}},
          {Field::IssueDate, {document, el("ram:IssueDateTime"), date}},
          {Field::DeliveryDate,
           {in("ram:ApplicableHeaderTradeDelivery"), el("ram:ActualDeliverySupplyChainEvent"),
            el("ram:OccurrenceDateTime"), date}},
          {Field::DueDate, {in("ram:SpecifiedTradePaymentTerms"), el("ram:DueDateDateTime"), date}},
          {Field::Currency, {in("ram:InvoiceCurrencyCode")}},
          {Field::BuyerReference, {agreement, el("ram:BuyerReference")}},
          {Field::Iban,
           {in("ram:SpecifiedTradeSettlementPaymentMeans"),
            el("ram:PayeePartyCreditorFinancialAccount"), el("ram:IBANID")}},
          {Field::SellerName, {seller, el("ram:Name")}},
          {Field::SellerStreet, {seller, address, el("ram:LineOne")}},
          {Field::SellerPostalZone, {seller, address, el("ram:PostcodeCode")}},
          {Field::SellerCity, {seller, address, el("ram:CityName")}},
          {Field::SellerPhone, {seller, contact, phone, el("ram:CompleteNumber")}},
          {Field::SellerMail, {seller, contact, mail, el("ram:URIID")}},
          {Field::SellerAddressLine, {seller, address, el("ram:LineThree")}},
          // As in UBL, the first tax registration is shown as the VAT
          // identifier and the second as the tax number.
          {Field::SellerVatId, {seller, in("ram:SpecifiedTaxRegistration"), el("ram:ID")}},
          {Field::SellerTaxNumber, {seller, in("ram:SpecifiedTaxRegistration", 2), el("ram:ID")}},
          {Field::SellerRegistration, {seller, el("ram:SpecifiedLegalOrganization"), el("ram:ID")}},
          {Field::BuyerName, {buyer, el("ram:Name")}},
          {Field::BuyerAddressLine, {buyer, address, el("ram:LineThree")}},
          {Field::BuyerStreet, {buyer, address, el("ram:LineOne")}},
          {Field::BuyerPostalZone, {buyer, address, el("ram:PostcodeCode")}},
          {Field::BuyerCity, {buyer, address, el("ram:CityName")}},
          {Field::BuyerPhone, {buyer, contact, phone, el("ram:CompleteNumber")}},
          {Field::BuyerMail, {buyer, contact, mail, el("ram:URIID")}},
          {Field::NetTotal, {totals, el("ram:TaxBasisTotalAmount")}},
          {Field::GrossTotal, {totals, el("ram:GrandTotalAmount")}},
          {Field::AllowanceTotal, {totals, el("ram:AllowanceTotalAmount")}},
          {Field::PrepaidTotal, {totals, el("ram:TotalPrepaidAmount")}},
          {Field::PayableAmount, {totals, el("ram:DuePayableAmount")}},
          {Field::PaymentNote, {in("ram:SpecifiedTradePaymentTerms"), el("ram:Description")}},
          {Field::LineId, {el("ram:AssociatedDocumentLineDocument"), el("ram:LineID")}},
          {Field::ItemNumber, {product, el("ram:SellerAssignedID")}},
          {Field::ItemName, {product, el("ram:Name")}},
          // The item's own description stands before its characteristics,
          // which carry descriptions of their own.
          {Field::ItemDescription,
           {product, before("<ram:ApplicableProductCharacteristic>"), el("ram:Description")}},
          {Field::Quantity, {el("ram:SpecifiedLineTradeDelivery"), el("ram:BilledQuantity")}},
          {Field::Rate,
           {el("ram:SpecifiedLineTradeSettlement"), el("ram:ApplicableTradeTax"),
            el("ram:RateApplicablePercent")}},
          {Field::BasePrice, {el("ram:GrossPriceProductTradePrice"), el("ram:ChargeAmount")}},
          {Field::Price, {el("ram:NetPriceProductTradePrice"), el("ram:ChargeAmount")}},
          {Field::LineAmount,
           {el("ram:SpecifiedTradeSettlementLineMonetarySummation"), el("ram:LineTotalAmount")}},
      });
}

}  // namespace

const InvoiceSyntax& invoiceSyntax(DocumentKind kind) {
  static const InvoiceSyntax ubl = ublInvoice();
  static const InvoiceSyntax creditNote = ublCreditNote();
  static const InvoiceSyntax cii = crossIndustryInvoice();
  switch (kind) {
    case DocumentKind::UblCreditNote:
      return creditNote;
    case DocumentKind::CrossIndustryInvoice:
      return cii;
    case DocumentKind::UblInvoice:
      break;
  }
  return ubl;
}

}  // namespace lumora
