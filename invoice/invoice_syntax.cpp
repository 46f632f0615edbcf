#include "invoice/invoice_syntax.h"

#include <array>
#include <cassert>

namespace lumora {

std::string& fieldText(Invoice& invoice, Field field) {
  assert(!isLineField(field));
  switch (field) {
    case Field::Number:
      return invoice.number;
    case Field::TypeCode:
      return invoice.typeCode;
    case Field::IssueDate:
      return invoice.issueDate;
    case Field::DueDate:
      return invoice.dueDate;
    case Field::DeliveryDate:
      return invoice.deliveryDate;
    case Field::Currency:
      return invoice.currency;
    case Field::BuyerReference:
      return invoice.buyerReference;
    case Field::OrderNumber:
      return invoice.orderNumber;
    case Field::CustomerNumber:
      return invoice.customerNumber;
    case Field::Iban:
      return invoice.iban;
    case Field::SellerName:
      return invoice.seller.name;
    case Field::SellerStreet:
      return invoice.seller.street;
    case Field::SellerPostalZone:
      return invoice.seller.postalZone;
    case Field::SellerCity:
      return invoice.seller.city;
    case Field::SellerAddressLine:
      return invoice.seller.addressLine;
    case Field::SellerPhone:
      return invoice.seller.phone;
    case Field::SellerMail:
      return invoice.seller.mail;
    case Field::SellerVatId:
      return invoice.seller.vatId;
    case Field::SellerTaxNumber:
      return invoice.seller.taxNumber;
    case Field::SellerRegistration:
      return invoice.seller.registration;
    case Field::BuyerName:
      return invoice.buyer.name;
    case Field::BuyerStreet:
      return invoice.buyer.street;
    case Field::BuyerPostalZone:
      return invoice.buyer.postalZone;
    case Field::BuyerCity:
      return invoice.buyer.city;
    case Field::BuyerAddressLine:
      return invoice.buyer.addressLine;
    case Field::BuyerPhone:
      return invoice.buyer.phone;
    case Field::BuyerMail:
      return invoice.buyer.mail;
    case Field::NetTotal:
      return invoice.netTotal;
    case Field::GrossTotal:
      return invoice.grossTotal;
    case Field::AllowanceTotal:
      return invoice.allowanceTotal;
    case Field::PrepaidTotal:
      return invoice.prepaidTotal;
    case Field::PayableAmount:
      return invoice.payableAmount;
    default:
      return invoice.paymentNote;
  }
}

std::string& fieldText(InvoiceLine& line, Field field) {
  assert(isLineField(field));
  switch (field) {
    case Field::LineId:
      return line.id;
    case Field::ItemNumber:
      return line.itemNumber;
    case Field::ItemName:
      return line.name;
    case Field::ItemDescription:
      return line.description;
    case Field::Quantity:
      return line.quantity;
    case Field::Rate:
      return line.rate;
    case Field::BasePrice:
      return line.basePrice;
    case Field::Price:
      return line.price;
    default:
      return line.amount;
  }
}

namespace {

constexpr std::array kUblPrefixes{
    NamespacePrefix{"cbc", "urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2"},
    NamespacePrefix{"cac",
                    "urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"},
};

constexpr std::array kCiiPrefixes{
    NamespacePrefix{"rsm", "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100"},
    NamespacePrefix{"ram",
                    "urn:un:unece:uncefact:data:standard:"
                    "ReusableAggregateBusinessInformationEntity:100"},
    NamespacePrefix{"udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100"},
};

// The UBL fields an invoice and a credit note share.
std::vector<FieldPath> ublFields(std::string_view quantity) {
  return {
      {Field::Number, "cbc:ID"},
      {Field::IssueDate, "cbc:IssueDate"},
      {Field::DeliveryDate, "cac:Delivery/cbc:ActualDeliveryDate"},
      {Field::Currency, "cbc:DocumentCurrencyCode"},
      {Field::BuyerReference, "cbc:BuyerReference"},
      {Field::OrderNumber, "cac:OrderReference/cbc:ID"},
      {Field::CustomerNumber,
       "cac:AccountingCustomerParty/cac:Party/cac:PartyIdentification/cbc:ID"},
      {Field::Iban, "cac:PaymentMeans/cac:PayeeFinancialAccount/cbc:ID"},
      {Field::SellerName,
       "cac:AccountingSupplierParty/cac:Party/cac:PartyLegalEntity/cbc:RegistrationName"},
      {Field::SellerName, "cac:AccountingSupplierParty/cac:Party/cac:PartyName/cbc:Name", 1},
      {Field::SellerStreet,
       "cac:AccountingSupplierParty/cac:Party/cac:PostalAddress/cbc:StreetName"},
      {Field::SellerPostalZone,
       "cac:AccountingSupplierParty/cac:Party/cac:PostalAddress/cbc:PostalZone"},
      {Field::SellerCity, "cac:AccountingSupplierParty/cac:Party/cac:PostalAddress/cbc:CityName"},
      {Field::SellerAddressLine,
       "cac:AccountingSupplierParty/cac:Party/cac:PostalAddress/cac:AddressLine/cbc:Line"},
      {Field::SellerPhone, "cac:AccountingSupplierParty/cac:Party/cac:Contact/cbc:Telephone"},
      {Field::SellerMail, "cac:AccountingSupplierParty/cac:Party/cac:Contact/cbc:ElectronicMail"},
      {Field::SellerRegistration,
       "cac:AccountingSupplierParty/cac:Party/cac:PartyLegalEntity/cbc:CompanyID"},
      {Field::BuyerName,
       "cac:AccountingCustomerParty/cac:Party/cac:PartyLegalEntity/cbc:RegistrationName"},
      {Field::BuyerName, "cac:AccountingCustomerParty/cac:Party/cac:PartyName/cbc:Name", 1},
      {Field::BuyerStreet,
       "cac:AccountingCustomerParty/cac:Party/cac:PostalAddress/cbc:StreetName"},
      {Field::BuyerPostalZone,
       "cac:AccountingCustomerParty/cac:Party/cac:PostalAddress/cbc:PostalZone"},
      {Field::BuyerCity, "cac:AccountingCustomerParty/cac:Party/cac:PostalAddress/cbc:CityName"},
      {Field::BuyerAddressLine,
       "cac:AccountingCustomerParty/cac:Party/cac:PostalAddress/cac:AddressLine/cbc:Line"},
      {Field::BuyerPhone, "cac:AccountingCustomerParty/cac:Party/cac:Contact/cbc:Telephone"},
      {Field::BuyerMail, "cac:AccountingCustomerParty/cac:Party/cac:Contact/cbc:ElectronicMail"},
      {Field::NetTotal, "cac:LegalMonetaryTotal/cbc:TaxExclusiveAmount"},
      {Field::GrossTotal, "cac:LegalMonetaryTotal/cbc:TaxInclusiveAmount"},
      {Field::AllowanceTotal, "cac:LegalMonetaryTotal/cbc:AllowanceTotalAmount"},
      {Field::PrepaidTotal, "cac:LegalMonetaryTotal/cbc:PrepaidAmount"},
      {Field::PayableAmount, "cac:LegalMonetaryTotal/cbc:PayableAmount"},
      {Field::PaymentNote, "cac:PaymentTerms/cbc:Note"},
      {Field::LineId, "cbc:ID"},
      {Field::Quantity, std::string(quantity)},
      {Field::ItemNumber, "cac:Item/cac:SellersItemIdentification/cbc:ID"},
      {Field::ItemName, "cac:Item/cbc:Name"},
      {Field::ItemDescription, "cac:Item/cbc:Description"},
      {Field::Rate, "cac:Item/cac:ClassifiedTaxCategory/cbc:Percent"},
      {Field::BasePrice, "cac:Price/cac:AllowanceCharge/cbc:BaseAmount"},
      {Field::Price, "cac:Price/cbc:PriceAmount"},
      {Field::LineAmount, "cbc:LineExtensionAmount"},
  };
}

const std::string kUblAttachment =
    "cac:AdditionalDocumentReference/cac:Attachment/cbc:EmbeddedDocumentBinaryObject";

// The seller's tax schemes: the one of scheme VAT holds the VAT identifier,
// any other the tax number, whatever their order.
const std::vector<FieldChoice> kUblTaxSchemes{
    {"cac:AccountingSupplierParty/cac:Party/cac:PartyTaxScheme", "cac:TaxScheme/cbc:ID",
     "cbc:CompanyID", "VAT", Field::SellerVatId, Field::SellerTaxNumber},
};

InvoiceSyntax ublInvoice() {
  std::vector<FieldPath> fields = ublFields("cbc:InvoicedQuantity");
  fields.push_back({Field::TypeCode, "cbc:InvoiceTypeCode"});
  fields.push_back({Field::DueDate, "cbc:DueDate"});
  return {DocumentKind::UblInvoice,
          "urn:oasis:names:specification:ubl:schema:xsd:Invoice-2",
          "Invoice",
          kUblPrefixes,
          "cac:InvoiceLine",
          DateForm::Iso,
          std::move(fields),
          kUblTaxSchemes,
          kUblAttachment};
}

InvoiceSyntax ublCreditNote() {
  std::vector<FieldPath> fields = ublFields("cbc:CreditedQuantity");
  fields.push_back({Field::TypeCode, "cbc:CreditNoteTypeCode"});
  fields.push_back({Field::DueDate, "cac:PaymentMeans/cbc:PaymentDueDate"});
  return {DocumentKind::UblCreditNote,
          "urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2",
          "CreditNote",
          kUblPrefixes,
          "cac:CreditNoteLine",
          DateForm::Iso,
          std::move(fields),
          kUblTaxSchemes,
          kUblAttachment};
}

InvoiceSyntax crossIndustryInvoice() {
  const std::string tx = "rsm:SupplyChainTradeTransaction/";
  const std::string agreement = tx + "ram:ApplicableHeaderTradeAgreement/";
  const std::string settlement = tx + "ram:ApplicableHeaderTradeSettlement/";
  const std::string seller = agreement + "ram:SellerTradeParty/";
  const std::string buyer = agreement + "ram:BuyerTradeParty/";
  const std::string totals = settlement + "ram:SpecifiedTradeSettlementHeaderMonetarySummation/";
  const std::string address = "ram:PostalTradeAddress/";
  const std::string contact = "ram:DefinedTradeContact/";
  const std::string phone = contact + "ram:TelephoneUniversalCommunication/ram:CompleteNumber";
  const std::string mail = contact + "ram:EmailURIUniversalCommunication/ram:URIID";
  const std::string product = "ram:SpecifiedTradeProduct/";
  return {
      DocumentKind::CrossIndustryInvoice,
      "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100",
      "CrossIndustryInvoice",
      kCiiPrefixes,
      tx + "ram:IncludedSupplyChainTradeLineItem",
      DateForm::Compact,
      {
          {Field::Number, "rsm:ExchangedDocument/ram:ID"},
          {Field::TypeCode, "rsm:ExchangedDocument/ram:TypeCode"},
          {Field::IssueDate, "rsm:ExchangedDocument/ram:IssueDateTime/udt:DateTimeString"},
          {Field::DueDate,
           settlement + "ram:SpecifiedTradePaymentTerms/ram:DueDateDateTime/udt:DateTimeString"},
          {Field::DeliveryDate,
           tx + "ram:ApplicableHeaderTradeDelivery/ram:ActualDeliverySupplyChainEvent/"
                "ram:OccurrenceDateTime/udt:DateTimeString"},
          {Field::Currency, settlement + "ram:InvoiceCurrencyCode"},
          {Field::BuyerReference, agreement + "ram:BuyerReference"},
          {Field::OrderNumber, agreement + "ram:BuyerOrderReferencedDocument/ram:IssuerAssignedID"},
          {Field::CustomerNumber, buyer + "ram:ID"},
          {Field::CustomerNumber, buyer + "ram:GlobalID", 1},
          {Field::Iban,
           settlement +
               "ram:SpecifiedTradeSettlementPaymentMeans/ram:PayeePartyCreditorFinancialAccount/"
               "ram:IBANID"},
          {Field::SellerName, seller + "ram:Name"},
          {Field::SellerStreet, seller + address + "ram:LineOne"},
          {Field::SellerPostalZone, seller + address + "ram:PostcodeCode"},
          {Field::SellerCity, seller + address + "ram:CityName"},
          {Field::SellerAddressLine, seller + address + "ram:LineThree"},
          {Field::SellerPhone, seller + phone},
          {Field::SellerMail, seller + mail},
          {Field::SellerVatId, seller + "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID", "VA"},
          {Field::SellerTaxNumber, seller + "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "FC"},
          {Field::SellerRegistration, seller + "ram:SpecifiedLegalOrganization/ram:ID"},
          {Field::BuyerName, buyer + "ram:Name"},
          {Field::BuyerStreet, buyer + address + "ram:LineOne"},
          {Field::BuyerPostalZone, buyer + address + "ram:PostcodeCode"},
          {Field::BuyerCity, buyer + address + "ram:CityName"},
          {Field::BuyerAddressLine, buyer + address + "ram:LineThree"},
          {Field::BuyerPhone, buyer + phone},
          {Field::BuyerMail, buyer + mail},
          {Field::NetTotal, totals + "ram:TaxBasisTotalAmount"},
          {Field::GrossTotal, totals + "ram:GrandTotalAmount"},
          {Field::AllowanceTotal, totals + "ram:AllowanceTotalAmount"},
          {Field::PrepaidTotal, totals + "ram:TotalPrepaidAmount"},
          {Field::PayableAmount, totals + "ram:DuePayableAmount"},
          {Field::PaymentNote, settlement + "ram:SpecifiedTradePaymentTerms/ram:Description"},
          {Field::LineId, "ram:AssociatedDocumentLineDocument/ram:LineID"},
          {Field::Quantity, "ram:SpecifiedLineTradeDelivery/ram:BilledQuantity"},
          {Field::ItemNumber, product + "ram:SellerAssignedID"},
          {Field::ItemName, product + "ram:Name"},
          {Field::ItemDescription, product + "ram:Description"},
          {Field::Rate,
           "ram:SpecifiedLineTradeSettlement/ram:ApplicableTradeTax/ram:RateApplicablePercent"},
          {Field::BasePrice,
           "ram:SpecifiedLineTradeAgreement/ram:GrossPriceProductTradePrice/ram:ChargeAmount"},
          {Field::Price,
           "ram:SpecifiedLineTradeAgreement/ram:NetPriceProductTradePrice/ram:ChargeAmount"},
          {Field::LineAmount,
           "ram:SpecifiedLineTradeSettlement/ram:SpecifiedTradeSettlementLineMonetarySummation/"
           "ram:LineTotalAmount"},
      },
      {},
      agreement + "ram:AdditionalReferencedDocument/ram:AttachmentBinaryObject",
  };
}

}  // namespace

std::span<const InvoiceSyntax* const> knownSyntaxes() {
  static const InvoiceSyntax ubl = ublInvoice();
  static const InvoiceSyntax creditNote = ublCreditNote();
  static const InvoiceSyntax cii = crossIndustryInvoice();
  static const InvoiceSyntax zugferd1 = crossIndustryDocument();
  static const std::array<const InvoiceSyntax*, 4> all{&ubl, &creditNote, &cii, &zugferd1};
  return all;
}

}  // namespace lumora
