// The first page above the item table: the metadata block on the right, the
// seller's letterhead, the sender line, the buyer's address, the heading and
// the column headings, from the invoice value. The texts the footer and the
// continuation header repeat are captured on the way. Each text keeps to its
// box: a label up to its value, a value and the left column's texts up to
// the metadata block or the printable area's right edge.

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
      : m_layout(layout), m_state(layout.state), m_invoice(layout.invoice) {}

  void draw() {
    drawMetadata();
    drawLetterhead();
    drawSenderLine();
    drawBuyerAddress();
    drawHeadings();
  }

 private:
  // One metadata line; a conditional line with an empty value is left out and
  // the lines below close up.
  void metadataLine(std::string_view label, std::string_view value, bool always = true) {
    if (!always && value.empty()) return;
    m_layout.drawInBox(kLabelX, m_state.ypos, label, m_state.basesize, before(kValueX));
    m_layout.drawInBox(kValueX, m_state.ypos, value, m_state.basesize);
    m_state.ypos += m_state.linestep;
  }

  // A text of the left column: up to the metadata block while that stands
  // beside it, else up to the right edge.
  void leftText(int y, std::string_view text, int size) {
    m_layout.drawInBox(kLeftX, y, text, size,
                       y < m_metadataEnd ? before(kLabelX) : kPrintableRight);
  }
  void optionalLine(std::string_view label, std::string_view value) {
    metadataLine(label, value, /*always=*/false);
  }

  void drawMetadata() {
    m_state.ypos = 15;
    m_state.invoicenr = m_invoice.number;
    metadataLine("Rechnungsnummer:", m_state.invoicenr);
    optionalLine("Kundennummer:", m_invoice.customerNumber);
    optionalLine("Bestellnummer:", m_invoice.orderNumber);
    metadataLine("Rechnungsdatum:", m_invoice.issueDate);
    metadataLine("Lieferdatum:", m_invoice.deliveryDate);
    metadataLine("Fälligkeit:", m_invoice.dueDate);
    metadataLine("Währung:", m_invoice.currency);
    optionalLine("Leitweg:", m_invoice.buyerReference);
    drawSellerMetadata();
    m_state.iban = m_invoice.iban;
    optionalLine("IBAN:", m_state.iban);
    optionalLine("Tel. Kunde:", m_invoice.buyer.phone);
    optionalLine("Email Kunde:", m_invoice.buyer.mail);
    m_metadataEnd = m_state.ypos;
  }

  void drawSellerMetadata() {
    const Seller& seller = m_invoice.seller;
    optionalLine("Ansprechpartner:", seller.addressLine);
    m_state.ustid = seller.vatId;
    optionalLine("UST-ID:", m_state.ustid);
    m_state.steuernr = seller.taxNumber;
    optionalLine("Steuernummer:", m_state.steuernr);
    optionalLine("Handelsregister:", seller.registration);
  }

  void drawLetterhead() {
    const Seller& seller = m_invoice.seller;
    m_state.sellername = seller.name;
    // Above the metadata block: the whole width.
    m_layout.drawInBox(kLeftX, 5, m_state.sellername, kLetterheadNameSize);
    m_state.sellerstreet = seller.street;
    leftText(15, m_state.sellerstreet, kLetterheadSize);
    m_state.sellercity = seller.postalZone + " " + seller.city;
    leftText(20, m_state.sellercity, kLetterheadSize);
    m_state.sellerphone = seller.phone;
    leftText(25, "Tel.:  " + m_state.sellerphone, kLetterheadSize);
    m_state.sellermail = seller.mail;
    leftText(30, "Email: " + m_state.sellermail, kLetterheadSize);
  }

  void drawSenderLine() {
    leftText(45, "Abs: " + m_state.sellername, kSenderLineSize);
    leftText(48, m_state.sellerstreet + " - " + m_state.sellercity, kSenderLineSize);
  }

  // The name stands one line step below the sender line; an address line,
  // when there is one, pushes everything below it down by 5.
  void drawBuyerAddress() {
    const Party& buyer = m_invoice.buyer;
    const int nameY = 48 + 3 + m_state.linestep;
    leftText(nameY, buyer.name, kAddressSize);
    m_state.ypos = nameY + m_state.linestep;
    if (!buyer.addressLine.empty()) {
      leftText(m_state.ypos, buyer.addressLine, kAddressSize);
      m_state.ypos += 5;
    }
    leftText(m_state.ypos, buyer.street, kAddressSize);
    m_state.ypos += 5;
    leftText(m_state.ypos, buyer.postalZone + " " + buyer.city, kAddressSize);
  }

  // Leaves ypos on the rule below the column headings.
  void drawHeadings() {
    const int size = m_state.basesize;
    m_state.ypos += 4 * m_state.linestep;
    m_state.title = m_invoice.isCreditNote() ? "Gutschrift" : "Rechnung";
    leftText(m_state.ypos, m_state.title + "  " + m_state.invoicenr, kHeadingSize);
    m_state.ypos += 2 * m_state.linestep;
    m_layout.draw(kLeftX, m_state.ypos, kRule, size);
    m_state.ypos += 5;
    for (std::size_t index = 0; index < kItemColumns.size(); ++index) {
      const auto column = static_cast<Column>(index);
      m_layout.drawInBox(columnX(column), m_state.ypos, kItemColumns[index].heading, size,
                         columnRight(column));
    }
    m_state.ypos += 3;
    m_layout.draw(kLeftX, m_state.ypos, kRule, size);
  }

  LayoutContext& m_layout;
  RenderState& m_state;
  const Invoice& m_invoice;
  int m_metadataEnd = 0;  // below the metadata block's last line
};

}  // namespace

void drawHeaderBlocks(LayoutContext& layout) {
  HeaderBlocks(layout).draw();
}

}  // namespace lumora
