// The first page above the item table: the metadata block on the right, the
// seller's letterhead, the sender line, the buyer's address, the heading and
// the column headings. Each value is fetched from the file just before it is
// drawn and drawn raw; drucke decodes it. The texts the footer and the
// continuation header repeat are captured raw on the way.

#include <string>
#include <string_view>

#include "platform/substring.h"
#include "render/item_columns.h"
#include "render/layout_context.h"

namespace lumora {
namespace {

constexpr int kLabelX = 115;
constexpr int kValueX = 155;
constexpr int kLeftX = 20;
constexpr int kLetterheadNameSize = 14;
constexpr int kLetterheadSize = 10;
constexpr int kSenderLineSize = 7;
constexpr int kAddressSize = 12;
constexpr int kHeadingSize = 14;

// The attribute that the customer number's opening tag may carry; once it is
// removed, the plain marker <cbc:ID> matches.
constexpr std::string_view kCustomerScheme = " schemeID=\"0002\"";

// YYYY-MM-DD -> DD.MM.YYYY by character position; an empty date gives "..".
std::string germanDate(std::string_view iso) {
  std::string date(substring(iso, 9, 2));
  date += '.';
  date += substring(iso, 6, 2);
  date += '.';
  date += substring(iso, 1, 4);
  return date;
}

// `text` with every occurrence of `piece` taken out, scanning left to right.
std::string withoutAll(std::string_view text, std::string_view piece) {
  std::string rest;
  for (std::int64_t at = position(piece, text); at > 0; at = position(piece, text)) {
    rest += substring(text, 1, at - 1);
    text = substringFrom(text, at + static_cast<std::int64_t>(piece.size()));
  }
  rest += text;
  return rest;
}

class HeaderBlocks {
 public:
  explicit HeaderBlocks(LayoutContext& layout)
      : m_layout(layout), m_state(layout.state), m_reader(layout.reader) {}

  void draw() {
    drawMetadata();
    drawLetterhead();
    drawSenderLine();
    drawBuyerAddress();
    drawHeadings();
  }

 private:
  // X from the file: the first element X.
  std::string fromFile(std::string_view tag) { return m_reader.getdata(tag, tag); }
  // X in `source`: the valuenr-th value of X there.
  std::string in(std::string_view source, std::string_view tag) {
    return m_reader.getvalue(source, tag, tag);
  }

  // One metadata line; a conditional line with an empty value is left out and
  // the lines below close up.
  void metadataLine(std::string_view label, std::string_view value, bool always = true) {
    if (!always && value.empty()) return;
    m_layout.draw(kLabelX, m_state.ypos, label, m_state.basesize);
    m_layout.draw(kValueX, m_state.ypos, value, m_state.basesize);
    m_state.ypos += m_state.linestep;
  }
  void optionalLine(std::string_view label, std::string_view value) {
    metadataLine(label, value, /*always=*/false);
  }

  void drawMetadata() {
    m_state.ypos = 15;
    m_state.invoicenr = fromFile("cbc:ID");
    metadataLine("Rechnungsnummer:", m_state.invoicenr);
    optionalLine("Kundennummer:", customerNumber());
    optionalLine("Bestellnummer:", in(fromFile("cac:OrderReference"), "cbc:ID"));
    metadataLine("Rechnungsdatum:", germanDate(fromFile("cbc:IssueDate")));
    metadataLine("Lieferdatum:", germanDate(fromFile("cbc:ActualDeliveryDate")));
    metadataLine("Fälligkeit:", germanDate(fromFile("cbc:DueDate")));
    metadataLine("Währung:", fromFile("cbc:DocumentCurrencyCode"));
    optionalLine("Leitweg:", fromFile("cbc:BuyerReference"));
    drawSellerMetadata();
    m_state.iban = in(fromFile("cac:PaymentMeans"), "cbc:ID");
    optionalLine("IBAN:", m_state.iban);
    const std::string contact = in(fromFile("cac:AccountingCustomerParty"), "cac:Contact");
    optionalLine("Tel. Kunde:", in(contact, "cbc:Telephone"));
    optionalLine("Email Kunde:", in(contact, "cbc:ElectronicMail"));
  }

  std::string customerNumber() {
    const std::string block = fromFile("cac:AccountingCustomerParty");
    return in(withoutAll(in(block, "cac:PartyIdentification"), kCustomerScheme), "cbc:ID");
  }

  // The seller's party is kept for the letterhead. The two company
  // identifiers are told apart only by the order of the tax schemes.
  void drawSellerMetadata() {
    m_sellerParty = in(fromFile("cac:AccountingSupplierParty"), "cac:Party");
    optionalLine("Ansprechpartner:", in(in(m_sellerParty, "cac:AddressLine"), "cbc:Line"));
    m_state.ustid = in(in(m_sellerParty, "cac:PartyTaxScheme"), "cbc:CompanyID");
    optionalLine("UST-ID:", m_state.ustid);
    m_reader.valuenr = 2;
    const std::string secondScheme = in(m_sellerParty, "cac:PartyTaxScheme");
    m_reader.valuenr = 1;
    m_state.steuernr = in(secondScheme, "cbc:CompanyID");
    optionalLine("Steuernummer:", m_state.steuernr);
    optionalLine("Handelsregister:",
                 in(in(m_sellerParty, "cac:PartyLegalEntity"), "cbc:CompanyID"));
  }

  void drawLetterhead() {
    const std::string_view party = m_sellerParty;
    m_state.sellername = in(in(party, "cac:PartyLegalEntity"), "cbc:RegistrationName");
    m_layout.draw(kLeftX, 5, m_state.sellername, kLetterheadNameSize);
    const std::string address = in(party, "cac:PostalAddress");
    m_state.sellerstreet = in(address, "cbc:StreetName");
    m_layout.draw(kLeftX, 15, m_state.sellerstreet, kLetterheadSize);
    m_state.sellercity = in(address, "cbc:PostalZone") + " " + in(address, "cbc:CityName");
    m_layout.draw(kLeftX, 20, m_state.sellercity, kLetterheadSize);
    m_state.sellerphone = in(party, "cbc:Telephone");
    m_layout.draw(kLeftX, 25, "Tel.:  " + m_state.sellerphone, kLetterheadSize);
    m_state.sellermail = in(party, "cbc:ElectronicMail");
    m_layout.draw(kLeftX, 30, "Email: " + m_state.sellermail, kLetterheadSize);
  }

  void drawSenderLine() {
    m_layout.draw(kLeftX, 45, "Abs: " + m_state.sellername, kSenderLineSize);
    m_layout.draw(kLeftX, 48, m_state.sellerstreet + " - " + m_state.sellercity, kSenderLineSize);
  }

  // The name stands one line step below the sender line; an address line,
  // when there is one, pushes everything below it down by 5.
  void drawBuyerAddress() {
    const std::string party = in(fromFile("cac:AccountingCustomerParty"), "cac:Party");
    const int nameY = 48 + 3 + m_state.linestep;
    m_layout.draw(kLeftX, nameY, in(party, "cbc:RegistrationName"), kAddressSize);
    m_state.ypos = nameY + m_state.linestep;
    const std::string addressLine = in(in(party, "cac:AddressLine"), "cbc:Line");
    if (!addressLine.empty()) {
      m_layout.draw(kLeftX, m_state.ypos, addressLine, kAddressSize);
      m_state.ypos += 5;
    }
    m_layout.draw(kLeftX, m_state.ypos, in(party, "cbc:StreetName"), kAddressSize);
    m_state.ypos += 5;
    m_layout.draw(kLeftX, m_state.ypos,
                  in(party, "cbc:PostalZone") + " " + in(party, "cbc:CityName"), kAddressSize);
  }

  // Leaves ypos on the rule below the column headings.
  void drawHeadings() {
    const int size = m_state.basesize;
    m_state.ypos += 4 * m_state.linestep;
    m_layout.draw(kLeftX, m_state.ypos, "Rechnung  " + m_state.invoicenr, kHeadingSize);
    m_state.ypos += 2 * m_state.linestep;
    m_layout.draw(kLeftX, m_state.ypos, kRule, size);
    m_state.ypos += 5;
    for (const ItemColumn& column : kItemColumns) {
      m_layout.draw(column.x, m_state.ypos, column.heading, size);
    }
    m_state.ypos += 3;
    m_layout.draw(kLeftX, m_state.ypos, kRule, size);
  }

  LayoutContext& m_layout;
  RenderState& m_state;
  InvoiceReader& m_reader;
  std::string m_sellerParty;
};

}  // namespace

void drawHeaderBlocks(LayoutContext& layout) {
  HeaderBlocks(layout).draw();
}

}  // namespace lumora
