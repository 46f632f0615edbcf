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
      {Field::Quantity, quantity},
      {Field::ItemNumber, "cac:Item/cac:SellersItemIdentification/cbc:ID"},
      {Field::ItemName, "cac:Item/cbc:Name"},
      {Field::ItemDescription, "cac:Item/cbc:Description"},
      {Field::Rate, "cac:Item/cac:ClassifiedTaxCategory/cbc:Percent"},
      {Field::BasePrice, "cac:Price/cac:AllowanceCharge/cbc:BaseAmount"},
      {Field::Price, "cac:Price/cbc:PriceAmount"},
      {Field::LineAmount, "cbc:LineExtensionAmount"},
  };
}

constexpr std::string_view kUblAttachment =
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

#define CII_TX "rsm:SupplyChainTradeTransaction/"
#define CII_AGREEMENT CII_TX "ram:ApplicableHeaderTradeAgreement/"
#define CII_SETTLEMENT CII_TX "ram:ApplicableHeaderTradeSettlement/"
#define CII_SELLER CII_AGREEMENT "ram:SellerTradeParty/"
#define CII_BUYER CII_AGREEMENT "ram:BuyerTradeParty/"
#define CII_ADDRESS "ram:PostalTradeAddress/"
#define CII_CONTACT "ram:DefinedTradeContact/"
#define CII_PHONE CII_CONTACT "ram:TelephoneUniversalCommunication/ram:CompleteNumber"
#define CII_MAIL CII_CONTACT "ram:EmailURIUniversalCommunication/ram:URIID"
#define CII_TOTALS CII_SETTLEMENT "ram:SpecifiedTradeSettlementHeaderMonetarySummation/"
#define CII_PRODUCT "ram:SpecifiedTradeProduct/"

InvoiceSyntax crossIndustryInvoice() {
  return {
      DocumentKind::CrossIndustryInvoice,
      "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100",
      "CrossIndustryInvoice",
      kCiiPrefixes,
      CII_TX "ram:IncludedSupplyChainTradeLineItem",
      DateForm::Compact,
      {
          {Field::Number, "rsm:ExchangedDocument/ram:ID"},
          {Field::TypeCode, "rsm:ExchangedDocument/ram:TypeCode"},
          {Field::IssueDate, "rsm:ExchangedDocument/ram:IssueDateTime/udt:DateTimeString"},
          {Field::DueDate,
           CII_SETTLEMENT "ram:SpecifiedTradePaymentTerms/ram:DueDateDateTime/udt:DateTimeString"},
          {Field::DeliveryDate,
           CII_TX "ram:ApplicableHeaderTradeDelivery/ram:ActualDeliverySupplyChainEvent/"
                  "ram:OccurrenceDateTime/udt:DateTimeString"},
          {Field::Currency, CII_SETTLEMENT "ram:InvoiceCurrencyCode"},
          {Field::BuyerReference, CII_AGREEMENT "ram:BuyerReference"},
          {Field::OrderNumber,
           CII_AGREEMENT "ram:BuyerOrderReferencedDocument/ram:IssuerAssignedID"},
          {Field::CustomerNumber, CII_BUYER "ram:ID"},
          {Field::CustomerNumber, CII_BUYER "ram:GlobalID", 1},
          {Field::Iban, CII_SETTLEMENT
           "ram:SpecifiedTradeSettlementPaymentMeans/ram:PayeePartyCreditorFinancialAccount/"
           "ram:IBANID"},
          {Field::SellerName, CII_SELLER "ram:Name"},
          {Field::SellerStreet, CII_SELLER CII_ADDRESS "ram:LineOne"},
          {Field::SellerPostalZone, CII_SELLER CII_ADDRESS "ram:PostcodeCode"},
          {Field::SellerCity, CII_SELLER CII_ADDRESS "ram:CityName"},
          {Field::SellerAddressLine, CII_SELLER CII_ADDRESS "ram:LineThree"},
          {Field::SellerPhone, CII_SELLER CII_PHONE},
          {Field::SellerMail, CII_SELLER CII_MAIL},
          {Field::SellerVatId, CII_SELLER "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "VA"},
          {Field::SellerTaxNumber, CII_SELLER "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "FC"},
          {Field::SellerRegistration, CII_SELLER "ram:SpecifiedLegalOrganization/ram:ID"},
          {Field::BuyerName, CII_BUYER "ram:Name"},
          {Field::BuyerStreet, CII_BUYER CII_ADDRESS "ram:LineOne"},
          {Field::BuyerPostalZone, CII_BUYER CII_ADDRESS "ram:PostcodeCode"},
          {Field::BuyerCity, CII_BUYER CII_ADDRESS "ram:CityName"},
          {Field::BuyerAddressLine, CII_BUYER CII_ADDRESS "ram:LineThree"},
          {Field::BuyerPhone, CII_BUYER CII_PHONE},
          {Field::BuyerMail, CII_BUYER CII_MAIL},
          {Field::NetTotal, CII_TOTALS "ram:TaxBasisTotalAmount"},
          {Field::GrossTotal, CII_TOTALS "ram:GrandTotalAmount"},
          {Field::AllowanceTotal, CII_TOTALS "ram:AllowanceTotalAmount"},
          {Field::PrepaidTotal, CII_TOTALS "ram:TotalPrepaidAmount"},
          {Field::PayableAmount, CII_TOTALS "ram:DuePayableAmount"},
          {Field::PaymentNote, CII_SETTLEMENT "ram:SpecifiedTradePaymentTerms/ram:Description"},
          {Field::LineId, "ram:AssociatedDocumentLineDocument/ram:LineID"},
          {Field::Quantity, "ram:SpecifiedLineTradeDelivery/ram:BilledQuantity"},
          {Field::ItemNumber, CII_PRODUCT "ram:SellerAssignedID"},
          {Field::ItemName, CII_PRODUCT "ram:Name"},
          {Field::ItemDescription, CII_PRODUCT "ram:Description"},
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
      CII_AGREEMENT "ram:AdditionalReferencedDocument/ram:AttachmentBinaryObject",
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
