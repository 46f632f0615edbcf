#pragma once
// What the render tests share: a host whose dialogs answer as the test says,
// an opener that records, invoices written as small texts, and a run on the
// recording printer (positions in millimetres) or on a PDF library.

#include <unistd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "invoice/invoice_reader.h"
#include "output/text_output.h"
#include "platform/current_directory.h"
#include "render/render_host.h"
#include "render/render_run.h"
#include "tests/support/recording_printer.h"
#include "tests/support/temp_dir.h"

namespace lumora::test {

class RecordingOpener : public Opener {
 public:
  void open(const std::string& target, const std::string& workingDirectory) override {
    calls.emplace_back(target, workingDirectory);
  }
  std::vector<std::pair<std::string, std::string>> calls;
};

class FakeHost : public RenderHost {
 public:
  Medium medium() const override { return selected; }
  std::optional<std::string> chooseInvoiceFile() override { return chosenFile; }
  bool choosePrinter() override {
    ++printDialogs;
    return printerChosen;
  }
  bool longTextChecked() const override { return false; }
  Opener& opener() override { return recorder; }

  Medium selected = Medium::Printer;
  std::optional<std::string> chosenFile;  // nothing: the dialog is cancelled
  bool printerChosen = true;
  int printDialogs = 0;
  RecordingOpener recorder;
};

// Every run changes the current directory; the test's own is put back.
class KeepCurrentDirectory {
 public:
  KeepCurrentDirectory() : m_directory(GetCurrentDirectoryA()) {}
  ~KeepCurrentDirectory() { (void)::chdir(m_directory.c_str()); }

 private:
  std::string m_directory;
};

// The parts of a run, on the printer at 254 dpi unless the medium is PDF.
struct RunRig {
  explicit RunRig(Medium medium = Medium::Printer,
                  std::u16string library = std::u16string(kPdfLibraryName)) {
    host.selected = medium;
    output = std::make_unique<TextOutput>(host, &printer, systemLibraryLoader(), library);
    run = std::make_unique<RenderRun>(host, reader, *output);
  }

  // Runs Start as if `path` had been chosen.
  void start(const std::string& path) {
    host.chosenFile = path;
    run->start();
  }

  KeepCurrentDirectory keep;
  FakeHost host;
  RecordingPrinter printer;
  InvoiceReader reader;
  std::unique_ptr<TextOutput> output;
  std::unique_ptr<RenderRun> run;
};

// The texts of a page as "y x size text", for comparing whole columns.
inline std::vector<std::string> placed(const RecordingPrinter& printer, int page,
                                       bool (*keep)(const PrintedText&)) {
  std::vector<std::string> result;
  for (const PrintedText& t : printer.onPage(page)) {
    if (keep(t)) {
      result.push_back(std::to_string(t.y) + " " + std::to_string(t.x) + " " +
                       std::to_string(t.size) + " " + t.text);
    }
  }
  return result;
}

// An invoice file: the elements one per line, lines ending in CR LF.
inline std::string invoiceFile(const std::vector<std::string>& elements) {
  std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ubl:Invoice>\r\n";
  for (const std::string& element : elements) file += "  " + element + "\r\n";
  return file + "</ubl:Invoice>\r\n";
}

// `count` invoice lines at 19 %, one file line each.
inline std::vector<std::string> invoiceLines(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    lines.push_back("<cac:InvoiceLine><cbc:ID>" + n +
                    "</cbc:ID><cbc:InvoicedQuantity unitCode=\"C62\">1</cbc:InvoicedQuantity>"
                    "<cbc:LineExtensionAmount currencyID=\"EUR\">10.00</cbc:LineExtensionAmount>"
                    "<cac:Item><cbc:Name>Artikel " +
                    n +
                    "</cbc:Name><cac:ClassifiedTaxCategory><cbc:Percent>19.00</cbc:Percent>"
                    "</cac:ClassifiedTaxCategory></cac:Item></cac:InvoiceLine>");
  }
  return lines;
}

// The seller every test invoice has: name with an entity, street, city,
// phone and mail, and no tax schemes.
inline const std::string kSeller =
    "<cac:AccountingSupplierParty><cac:Party><cac:PostalAddress>"
    "<cbc:StreetName>Hauptstr. 1</cbc:StreetName><cbc:CityName>Köln</cbc:CityName>"
    "<cbc:PostalZone>50667</cbc:PostalZone></cac:PostalAddress>"
    "<cac:PartyLegalEntity><cbc:RegistrationName>Muster &amp; Co KG</cbc:RegistrationName>"
    "</cac:PartyLegalEntity><cac:Contact><cbc:Telephone>0221 1</cbc:Telephone>"
    "<cbc:ElectronicMail>info@muster.example.org</cbc:ElectronicMail></cac:Contact>"
    "</cac:Party></cac:AccountingSupplierParty>";

// A buyer with no identification, no address line and no contact.
inline const std::string kPlainBuyer =
    "<cac:AccountingCustomerParty><cac:Party><cac:PostalAddress>"
    "<cbc:StreetName>Ring 2</cbc:StreetName><cbc:CityName>Bonn</cbc:CityName>"
    "<cbc:PostalZone>53111</cbc:PostalZone></cac:PostalAddress><cac:PartyLegalEntity>"
    "<cbc:RegistrationName>Kunde AG</cbc:RegistrationName></cac:PartyLegalEntity>"
    "</cac:Party></cac:AccountingCustomerParty>";

// The smallest useful invoice: number, two dates, currency, seller, buyer,
// and then `more` elements.
inline std::string minimalInvoice(const std::string& number,
                                  const std::vector<std::string>& more = {}) {
  std::vector<std::string> elements = {"<cbc:ID>" + number + "</cbc:ID>",
                                       "<cbc:IssueDate>2024-05-17</cbc:IssueDate>",
                                       "<cbc:DueDate>2024-06-16</cbc:DueDate>",
                                       "<cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>",
                                       kSeller,
                                       kPlainBuyer};
  elements.insert(elements.end(), more.begin(), more.end());
  return invoiceFile(elements);
}

}  // namespace lumora::test
