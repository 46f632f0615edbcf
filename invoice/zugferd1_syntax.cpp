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

InvoiceSyntax crossIndustryDocument() {
  const std::string header = "rsm:HeaderExchangedDocument/";
  const std::string tx = "rsm:SpecifiedSupplyChainTradeTransaction/";
  const std::string agreement = tx + "ram:ApplicableSupplyChainTradeAgreement/";
  const std::string settlement = tx + "ram:ApplicableSupplyChainTradeSettlement/";
  const std::string seller = agreement + "ram:SellerTradeParty/";
  const std::string buyer = agreement + "ram:BuyerTradeParty/";
  const std::string totals = settlement + "ram:SpecifiedTradeSettlementMonetarySummation/";
  const std::string address = "ram:PostalTradeAddress/";
  const std::string contact = "ram:DefinedTradeContact/";
  const std::string phone = contact + "ram:TelephoneUniversalCommunication/ram:CompleteNumber";
  const std::string mail = contact + "ram:EmailURIUniversalCommunication/ram:URIID";
  const std::string lineSettlement = "ram:SpecifiedSupplyChainTradeSettlement/";
  const std::string lineAgreement = "ram:SpecifiedSupplyChainTradeAgreement/";
  const std::string product = "ram:SpecifiedTradeProduct/";
  return {
      DocumentKind::CrossIndustryDocument,
      "urn:ferd:CrossIndustryDocument:invoice:1p0",
      "CrossIndustryDocument",
      kPrefixes,
      tx + "ram:IncludedSupplyChainTradeLineItem",
      DateForm::Compact,
      {
          {Field::Number, header + "ram:ID"},
          {Field::TypeCode, header + "ram:TypeCode"},
          {Field::IssueDate, header + "ram:IssueDateTime/udt:DateTimeString"},
          {Field::DueDate,
           settlement + "ram:SpecifiedTradePaymentTerms/ram:DueDateDateTime/udt:DateTimeString"},
          {Field::DeliveryDate,
           tx + "ram:ApplicableSupplyChainTradeDelivery/ram:ActualDeliverySupplyChainEvent/"
                "ram:OccurrenceDateTime/udt:DateTimeString"},
          {Field::Currency, settlement + "ram:InvoiceCurrencyCode"},
          {Field::BuyerReference, agreement + "ram:BuyerReference"},
          {Field::OrderNumber, agreement + "ram:BuyerOrderReferencedDocument/ram:ID"},
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
          {Field::SellerPhone, seller + phone},
          {Field::SellerMail, seller + mail},
          {Field::SellerVatId, seller + "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID", "VA"},
          {Field::SellerTaxNumber, seller + "ram:SpecifiedTaxRegistration/ram:ID", 0, "schemeID",
           "FC"},
          {Field::BuyerName, buyer + "ram:Name"},
          {Field::BuyerStreet, buyer + address + "ram:LineOne"},
          {Field::BuyerPostalZone, buyer + address + "ram:PostcodeCode"},
          {Field::BuyerCity, buyer + address + "ram:CityName"},
          {Field::BuyerPhone, buyer + phone},
          {Field::BuyerMail, buyer + mail},
          {Field::NetTotal, totals + "ram:TaxBasisTotalAmount"},
          {Field::GrossTotal, totals + "ram:GrandTotalAmount"},
          {Field::AllowanceTotal, totals + "ram:AllowanceTotalAmount"},
          {Field::PrepaidTotal, totals + "ram:TotalPrepaidAmount"},
          {Field::PayableAmount, totals + "ram:DuePayableAmount"},
          {Field::PaymentNote, settlement + "ram:SpecifiedTradePaymentTerms/ram:Description"},
          {Field::LineId, "ram:AssociatedDocumentLineDocument/ram:LineID"},
          {Field::Quantity, "ram:SpecifiedSupplyChainTradeDelivery/ram:BilledQuantity"},
          {Field::ItemNumber, product + "ram:SellerAssignedID"},
          {Field::ItemName, product + "ram:Name"},
          {Field::ItemDescription, product + "ram:Description"},
          {Field::Rate, lineSettlement + "ram:ApplicableTradeTax/ram:ApplicablePercent"},
          {Field::BasePrice, lineAgreement + "ram:GrossPriceProductTradePrice/ram:ChargeAmount"},
          {Field::Price, lineAgreement + "ram:NetPriceProductTradePrice/ram:ChargeAmount"},
          {Field::LineAmount,
           lineSettlement + "ram:SpecifiedTradeSettlementMonetarySummation/ram:LineTotalAmount"},
      },
      {},
      {},
  };
}

}  // namespace lumora
