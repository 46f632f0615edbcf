// The first page above the item table: the metadata block on the right, the
// seller's letterhead, the sender line, the buyer's address, the heading and
// the column headings. Each value is fetched from the file just before it is
// drawn and drawn raw; drucke decodes it. The texts the footer and the
// continuation header repeat are captured raw on the way.

#include <string>
#include <string_view>

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

class HeaderBlocks {
 public:
  explicit HeaderBlocks(LayoutContext& layout)
      : m_layout(layout), m_state(layout.state), m_fields(layout.fields) {}

  void draw() {
    drawMetadata();
    drawLetterhead();
    drawSenderLine();
    drawBuyerAddress();
    drawHeadings();
  }

 private:
  std::string field(Field field) { return m_fields.text(field); }

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
    m_state.invoicenr = field(Field::InvoiceNumber);
    metadataLine("Rechnungsnummer:", m_state.invoicenr);
    optionalLine("Kundennummer:", field(Field::CustomerNumber));
    optionalLine("Bestellnummer:", field(Field::OrderNumber));
    metadataLine("Rechnungsdatum:", m_fields.date(Field::IssueDate));
    metadataLine("Lieferdatum:", m_fields.date(Field::DeliveryDate));
    metadataLine("Fälligkeit:", m_fields.date(Field::DueDate));
    metadataLine("Währung:", field(Field::Currency));
    optionalLine("Leitweg:", field(Field::BuyerReference));
    drawSellerMetadata();
    m_state.iban = field(Field::Iban);
    optionalLine("IBAN:", m_state.iban);
    optionalLine("Tel. Kunde:", field(Field::BuyerPhone));
    optionalLine("Email Kunde:", field(Field::BuyerMail));
  }

  void drawSellerMetadata() {
    optionalLine("Ansprechpartner:", field(Field::SellerAddressLine));
    m_state.ustid = field(Field::SellerVatId);
    optionalLine("UST-ID:", m_state.ustid);
    m_state.steuernr = field(Field::SellerTaxNumber);
    optionalLine("Steuernummer:", m_state.steuernr);
    optionalLine("Handelsregister:", field(Field::SellerRegistration));
  }

  void drawLetterhead() {
    m_state.sellername = field(Field::SellerName);
    m_layout.draw(kLeftX, 5, m_state.sellername, kLetterheadNameSize);
    m_state.sellerstreet = field(Field::SellerStreet);
    m_layout.draw(kLeftX, 15, m_state.sellerstreet, kLetterheadSize);
    m_state.sellercity = field(Field::SellerPostalZone) + " " + field(Field::SellerCity);
    m_layout.draw(kLeftX, 20, m_state.sellercity, kLetterheadSize);
    m_state.sellerphone = field(Field::SellerPhone);
    m_layout.draw(kLeftX, 25, "Tel.:  " + m_state.sellerphone, kLetterheadSize);
    m_state.sellermail = field(Field::SellerMail);
    m_layout.draw(kLeftX, 30, "Email: " + m_state.sellermail, kLetterheadSize);
  }

  void drawSenderLine() {
    m_layout.draw(kLeftX, 45, "Abs: " + m_state.sellername, kSenderLineSize);
    m_layout.draw(kLeftX, 48, m_state.sellerstreet + " - " + m_state.sellercity, kSenderLineSize);
  }

  // The name stands one line step below the sender line; an address line,
  // when there is one, pushes everything below it down by 5.
  void drawBuyerAddress() {
    const int nameY = 48 + 3 + m_state.linestep;
    m_layout.draw(kLeftX, nameY, field(Field::BuyerName), kAddressSize);
    m_state.ypos = nameY + m_state.linestep;
    const std::string addressLine = field(Field::BuyerAddressLine);
    if (!addressLine.empty()) {
      m_layout.draw(kLeftX, m_state.ypos, addressLine, kAddressSize);
      m_state.ypos += 5;
    }
    m_layout.draw(kLeftX, m_state.ypos, field(Field::BuyerStreet), kAddressSize);
    m_state.ypos += 5;
    m_layout.draw(kLeftX, m_state.ypos,
                  field(Field::BuyerPostalZone) + " " + field(Field::BuyerCity), kAddressSize);
  }

  // Leaves ypos on the rule below the column headings.
  void drawHeadings() {
    const int size = m_state.basesize;
    m_state.ypos += 4 * m_state.linestep;
    m_state.title = m_fields.creditNote() ? "Gutschrift" : "Rechnung";
    m_layout.draw(kLeftX, m_state.ypos, m_state.title + "  " + m_state.invoicenr, kHeadingSize);
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
  InvoiceFields& m_fields;
};

}  // namespace

void drawHeaderBlocks(LayoutContext& layout) {
  HeaderBlocks(layout).draw();
}

}  // namespace lumora
