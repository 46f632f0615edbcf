#pragma once
// What the window tests share: a fresh current directory per test, a
// recording opener, a watcher that answers the next message box, and test
// invoices.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/opener.h"
#include "temp_dir.h"

namespace lumora::test {

// Makes a fresh folder the current directory and goes back afterwards.
class CurrentDirectoryScope {
 public:
  CurrentDirectoryScope() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(m_folder.path());
  }
  ~CurrentDirectoryScope() { std::filesystem::current_path(m_previous); }
  const TempDir& folder() const { return m_folder; }

 private:
  std::filesystem::path m_previous;
  TempDir m_folder;
};

// The calls of the opener, as (target, working directory).
using OpenCalls = std::vector<std::pair<std::string, std::string>>;

class RecordingOpener final : public Opener {
 public:
  explicit RecordingOpener(std::shared_ptr<OpenCalls> calls) : m_calls(std::move(calls)) {}
  void open(const std::string& target, const std::string& workingDirectory) override {
    m_calls->emplace_back(target, workingDirectory);
  }

 private:
  std::shared_ptr<OpenCalls> m_calls;
};

// Answers the next message box that opens with OK, after noting what it
// showed. Arm it before the action that opens the box.
struct SeenMessageBox {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool hasOkButton = false;
};

inline std::shared_ptr<SeenMessageBox> answerNextMessageBox() {
  auto seen = std::make_shared<SeenMessageBox>();
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [seen, poll] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen->shown = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->hasOkButton = box->button(QMessageBox::Ok) != nullptr;
    box->button(QMessageBox::Ok)->click();
    poll->stop();
    poll->deleteLater();
  });
  poll->start();
  return seen;
}

// A UBL invoice with the number `number` and `lineCount` invoice lines at
// 19 %, one element per file line.
inline std::string testInvoice(const std::string& number, int lineCount) {
  std::string file =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ubl:Invoice>\r\n"
      "  <cbc:ID>" +
      number +
      "</cbc:ID>\r\n"
      "  <cbc:IssueDate>2025-04-07</cbc:IssueDate>\r\n"
      "  <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>\r\n"
      "  <cac:AccountingSupplierParty><cac:Party><cac:PostalAddress>"
      "<cbc:StreetName>Hauptstr. 1</cbc:StreetName><cbc:CityName>K\xC3\xB6ln</cbc:CityName>"
      "<cbc:PostalZone>50667</cbc:PostalZone></cac:PostalAddress><cac:PartyLegalEntity>"
      "<cbc:RegistrationName>Muster &amp; Co KG</cbc:RegistrationName></cac:PartyLegalEntity>"
      "</cac:Party></cac:AccountingSupplierParty>\r\n"
      "  <cac:AccountingCustomerParty><cac:Party><cac:PostalAddress>"
      "<cbc:StreetName>Ring 2</cbc:StreetName><cbc:CityName>Bonn</cbc:CityName>"
      "<cbc:PostalZone>53111</cbc:PostalZone></cac:PostalAddress><cac:PartyLegalEntity>"
      "<cbc:RegistrationName>Kunde AG</cbc:RegistrationName></cac:PartyLegalEntity>"
      "</cac:Party></cac:AccountingCustomerParty>\r\n";
  for (int i = 1; i <= lineCount; ++i) {
    const std::string n = std::to_string(i);
    file += "  <cac:InvoiceLine><cbc:ID>" + n +
            "</cbc:ID><cbc:InvoicedQuantity unitCode=\"C62\">1</cbc:InvoicedQuantity>"
            "<cbc:LineExtensionAmount currencyID=\"EUR\">10.00</cbc:LineExtensionAmount>"
            "<cac:Item><cbc:Name>Artikel " +
            n +
            "</cbc:Name><cac:ClassifiedTaxCategory><cbc:Percent>19.00</cbc:Percent>"
            "</cac:ClassifiedTaxCategory></cac:Item></cac:InvoiceLine>\r\n";
  }
  file += "  <cac:LegalMonetaryTotal><cbc:PayableAmount currencyID=\"EUR\">" +
          std::to_string(lineCount * 119 / 10) +
          ".00</cbc:PayableAmount></cac:LegalMonetaryTotal>\r\n</ubl:Invoice>\r\n";
  return file;
}

}  // namespace lumora::test
