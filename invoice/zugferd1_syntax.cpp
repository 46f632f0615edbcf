// ZUGFeRD 1.0: the CII of 2014 to 2020 (rsm:CrossIndustryDocument, namespace
// urn:ferd:CrossIndustryDocument:invoice:1p0), still in every archive of
// those years. Its paths are those of its public schema; they differ from
// today's CII in the names of the header and its three trade parts
// (HeaderExchangedDocument, ApplicableSupplyChainTrade*), of the line's parts
// (SpecifiedSupplyChainTrade*), the order reference (ram:ID) and the rate
// (ram:ApplicablePercent).
//
// Fields the schema does not have, which stay empty on the page: the third
// address line (its addresses have LineOne and LineTwo only), the seller's
// legal registration ("Handelsregister"; no SpecifiedLegalOrganization) and
// attached documents (its referenced documents carry no binary object).

#include "invoice/invoice_syntax.h"

#include <array>

namespace lumora {
namespace {

constexpr std::array kPrefixes{
    NamespacePrefix{"rsm", "urn:ferd:CrossIndustryDocument:invoice:1p0"},
    NamespacePrefix{"ram",
                    "urn:un:unece:uncefact:data:standard:"
                    "ReusableAggregateBusinessInformationEntity:12"},
    NamespacePrefix{"udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:15"},
};

}  // namespace

#define ZF1_HEADER "rsm:HeaderExchangedDocument/"
#define ZF1_TX "rsm:SpecifiedSupplyChainTradeTransaction/"
#define ZF1_AGREEMENT ZF1_TX "ram:ApplicableSupplyChainTradeAgreement/"
#define ZF1_SETTLEMENT ZF1_TX "ram:ApplicableSupplyChainTradeSettlement/"
#define ZF1_SELLER ZF1_AGREEMENT "ram:SellerTradeParty/"
#define ZF1_BUYER ZF1_AGREEMENT "ram:BuyerTradeParty/"
#define ZF1_ADDRESS "ram:PostalTradeAddress/"
#define ZF1_CONTACT "ram:DefinedTradeContact/"
#define ZF1_PHONE ZF1_CONTACT "ram:TelephoneUniversalCommunication/ram:CompleteNumber"
#define ZF1_MAIL ZF1_CONTACT "ram:EmailURIUniversalCommunication/ram:URIID"
#define ZF1_TOTALS ZF1_SETTLEMENT "ram:SpecifiedTradeSettlementMonetarySummation/"
#define ZF1_LINE_SETTLEMENT "ram:SpecifiedSupplyChainTradeSettlement/"
#define ZF1_LINE_AGREEMENT "ram:SpecifiedSupplyChainTradeAgreement/"
#define ZF1_PRODUCT "ram:SpecifiedTradeProduct/"

InvoiceSyntax crossIndustryDocument() {
  return {
      DocumentKind::CrossIndustryDocument,
      "urn:ferd:CrossIndustryDocument:invoice:1p0",
      "CrossIndustryDocument",
      kPrefixes,
      ZF1_TX "ram:IncludedSupplyChainTradeLineItem",
      DateForm::Compact,
      {
          {Field::Number, ZF1_HEADER "ram:ID"},
          {Field::TypeCode, ZF1_HEADER "ram:TypeCode"},
          {Field::IssueDate, ZF1_HEADER "ram:IssueDateTime/udt:DateTimeString"},
          {Field::DueDate,
           ZF1_SETTLEMENT "ram:SpecifiedTradePaymentTerms/ram:DueDateDateTime/udt:DateTimeString"},
          {Field::DeliveryDate,
           ZF1_TX "ram:ApplicableSupplyChainTradeDelivery/ram:ActualDeliverySupplyChainEvent/"
                  "ram:OccurrenceDateTime/udt:DateTimeString"},
          {Field::Currency, ZF1_SETTLEMENT "ram:InvoiceCurrencyCode"},
          {Field::BuyerReference, ZF1_AGREEMENT "ram:BuyerReference"},
          {Field::OrderNumber, ZF1_AGREEMENT "ram:BuyerOrderReferencedDocument/ram:ID"},
          {Field::CustomerNumber, ZF1_BUYER "ram:ID"},
          {Field::CustomerNumber, ZF1_BUYER "ram:GlobalID", 1},
          {Field::Iban, ZF1_SETTLEMENT
           "ram:SpecifiedTradeSettlementPaymentMeans/ram:PayeePartyCreditorFinancialAccount/"
           "ram:IBANID"},
          {Field::SellerName, ZF1_SELLER "ram:Name"},
          {Field::SellerStreet, ZF1_SELLER ZF1_ADDRESS "ram:LineOne"},
          {Field::SellerPostalZone, ZF1_SELLER ZF1_ADDRESS "ram:PostcodeCode"},
          {Field::SellerCity, ZF1_SELLER ZF1_ADDRESS "ram:CityName"},
          {Field::SellerPhone, ZF1_SELLER ZF1_PHONE},
          {Field::SellerMail, ZF1_SELLER ZF1_MAIL},
          {Field::SellerVatId, ZF1_SELLER "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "VA"},
          {Field::SellerTaxNumber, ZF1_SELLER "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "FC"},
          {Field::BuyerName, ZF1_BUYER "ram:Name"},
          {Field::BuyerStreet, ZF1_BUYER ZF1_ADDRESS "ram:LineOne"},
          {Field::BuyerPostalZone, ZF1_BUYER ZF1_ADDRESS "ram:PostcodeCode"},
          {Field::BuyerCity, ZF1_BUYER ZF1_ADDRESS "ram:CityName"},
          {Field::BuyerPhone, ZF1_BUYER ZF1_PHONE},
          {Field::BuyerMail, ZF1_BUYER ZF1_MAIL},
          {Field::NetTotal, ZF1_TOTALS "ram:TaxBasisTotalAmount"},
          {Field::GrossTotal, ZF1_TOTALS "ram:GrandTotalAmount"},
          {Field::AllowanceTotal, ZF1_TOTALS "ram:AllowanceTotalAmount"},
          {Field::PrepaidTotal, ZF1_TOTALS "ram:TotalPrepaidAmount"},
          {Field::PayableAmount, ZF1_TOTALS "ram:DuePayableAmount"},
          {Field::PaymentNote, ZF1_SETTLEMENT "ram:SpecifiedTradePaymentTerms/ram:Description"},
          {Field::LineId, "ram:AssociatedDocumentLineDocument/ram:LineID"},
          {Field::Quantity, "ram:SpecifiedSupplyChainTradeDelivery/ram:BilledQuantity"},
          {Field::ItemNumber, ZF1_PRODUCT "ram:SellerAssignedID"},
          {Field::ItemName, ZF1_PRODUCT "ram:Name"},
          {Field::ItemDescription, ZF1_PRODUCT "ram:Description"},
          {Field::Rate, ZF1_LINE_SETTLEMENT "ram:ApplicableTradeTax/ram:ApplicablePercent"},
          {Field::BasePrice, ZF1_LINE_AGREEMENT "ram:GrossPriceProductTradePrice/ram:ChargeAmount"},
          {Field::Price, ZF1_LINE_AGREEMENT "ram:NetPriceProductTradePrice/ram:ChargeAmount"},
          {Field::LineAmount,
           ZF1_LINE_SETTLEMENT "ram:SpecifiedTradeSettlementMonetarySummation/ram:LineTotalAmount"},
      },
      {},
      {},
  };
}

}  // namespace lumora
