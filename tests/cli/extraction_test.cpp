// lumora-render --extract-xml and --attachments: the invoice XML of each PDF
// and the documents an invoice carries, saved under their own names made
// safe, byte for byte, each alone, and never over another file unasked.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/extraction.h"
#include "cli/saved_file.h"
#include "pdf_inspect.h"
#include "pdf_maker.h"
#include "temp_dir.h"
#include "tests/support/invoice_builder.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

struct Extraction {
  int status = -1;
  std::string out;
  std::string err;
};

// --extract-xml `xmlFolder` (none when empty) --attachments `attachmentFolder`.
Extraction extract(const std::string& xmlFolder, const std::vector<std::string>& files,
                   const std::string& attachmentFolder = "", bool overwrite = false) {
  cli::Options options;
  options.extractXmlDir = xmlFolder;
  options.attachmentsDir = attachmentFolder;
  options.overwrite = overwrite;
  options.invoices = files;
  Extraction result;
  result.status = cli::extractFiles(
      options, {[&](const std::string& path) { return result.out += path + "\n", true; },
                [&](const std::string& line) { result.err += line + "\n"; }});
  return result;
}

std::string sharedFolder() {
  const std::string folder = std::string(LUMORA_PUBLIC_INVOICES) + "/..";
  if (fs::is_directory(folder + "/public-pdf")) return folder;
  const char* ci = std::getenv("CI");
  if (ci && std::string(ci) == "true") ADD_FAILURE() << "no public invoices at " << folder;
  return {};
}

// Each public PDF's invoice as qpdf's own command line shows it; the
// documents of the XRechnung samples that carry some, decoded into PDFs
// that qpdf accepts.
TEST(ExtractXmlTest, PublicInvoicesGiveTheirXmlAndAttachments) {
  const std::string shared = sharedFolder();
  if (shared.empty()) GTEST_SKIP() << "no public invoices";
  const std::string pdfs = shared + "/public-pdf/";
  for (const char* pdf : {"EN16931_Einfach.pdf", "EXTENDED_Fremdwaehrung_wdis_fx-pdfa4.pdf",
                          "ZTESTZUGFERD_1_INVDSS_012015738820PDF-1.pdf", "corruptedV2PDF.pdf",
                          "pdf_fx_extended_1.pdf", "pdf_fx_minimum_1.pdf", "validXRechnung.pdf"}) {
    TempDir out;
    const Extraction result = extract(out.path(), {pdfs + pdf});
    const std::string name =
        std::string(pdf).starts_with("ZTEST") ? "zugferd-invoice.xml" : "factur-x.xml";
    EXPECT_EQ(result.out, out.path() + "/" + name + "\n") << pdf << result.err;
    // corruptedV2PDF.pdf lost its name tree; its /AF lists object 106.
    const std::vector<std::string> show =
        std::string(pdf).starts_with("corrupted")
            ? std::vector<std::string>{"--show-object=106", "--filtered-stream-data"}
            : std::vector<std::string>{"--show-attachment=" + name};
    std::vector<std::string> qpdf = {"qpdf"};
    qpdf.insert(qpdf.end(), show.begin(), show.end());
    qpdf.push_back(pdfs + pdf);
    EXPECT_EQ(out.read(name), runTool(qpdf).output) << pdf;
  }
  TempDir out;
  const std::string plain = pdfs + "MustangGnuaccountingBeispielRE-20170509_505blanko.pdf";
  EXPECT_EQ(extract(out.path(), {plain}).err,
            plain + ": Die PDF-Datei enthält keine E-Rechnung.\n");
  const std::string two = "01_15_Anhang_01.pdf\n" + out.path() + "/01_15_Anhang_02.pdf\n";
  EXPECT_EQ(extract("", {shared + "/public/01.01_comprehensive_test_ubl.xml"}, out.path()).out,
            out.path() + "/" + two);
  EXPECT_EQ(runTool({"qpdf", "--check", out.path() + "/01_15_Anhang_02.pdf"}).exitCode, 0);
  EXPECT_EQ(extract("", {shared + "/public-cii/03.07a-INVOICE_uncefact.xml"}, out.path(), true).out,
            out.path() + "/" + two);
}

// Names made safe; a file, or a link, already there is kept unless asked;
// each attachment on its own: one that cannot be read or decoded, or is too
// large, is reported and the others are still saved.
TEST(ExtractXmlTest, FilesAreSavedSafelyEachAlone) {
  TempDir folder;
  const auto document = [](const std::string& name, const std::string& text) {
    return "<cac:AdditionalDocumentReference><cbc:ID>1</cbc:ID><cac:Attachment>"
           "<cbc:EmbeddedDocumentBinaryObject mimeCode=\"text/plain\" filename=\"" +
           name + "\">" + text + "</cbc:EmbeddedDocumentBinaryObject></cac:Attachment>" +
           "</cac:AdditionalDocumentReference>";
  };
  const std::string invoice =
      minimalInvoice("1", {document("kaputt.txt", "nicht*base64"), document("gut.txt", "R3V0")});
  std::string pdfBytes = makePdf({{"../Rechnung\n1.xml", invoice},
                                  {"zeichnung.png", "PNG", "image/png"},
                                  {"lieferschein.pdf", "%PDF-1.4", "application/pdf"}});
  // The drawing's stream garbled.
  pdfBytes.replace(pdfBytes.find("stream", pdfBytes.find("image#2fpng")) + 9, 4, 4, 'x');
  const std::string pdf = folder.write("a.pdf", pdfBytes);
  for (const char* out : {"xml", "anlagen"}) fs::create_directory(folder.path() + "/" + out);
  const std::string xml = folder.path() + "/xml";
  const std::string saved = xml + "/_._Rechnung_1.xml";
  Extraction result = extract(xml, {pdf}, folder.path() + "/anlagen");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, saved + "\n" + folder.path() + "/anlagen/gut.txt\n" + folder.path() +
                            "/anlagen/lieferschein.pdf\n");
  EXPECT_EQ(folder.read("anlagen/gut.txt"), "Gut");
  EXPECT_EQ(folder.read("anlagen/lieferschein.pdf"), "%PDF-1.4");
  EXPECT_EQ(result.err,
            pdf +
                ": Die Anlage kaputt.txt ist nicht base64-kodiert und kann nicht gespeichert "
                "werden.\n" +
                pdf +
                ": Die eingebettete Datei zeichnung.png ist beschädigt und kann nicht gelesen "
                "werden.\n");

  const std::string large = folder.write(
      "gross.xml", minimalInvoice("2", {document("riesig.txt", std::string(90 << 20, 'A'))}));
  EXPECT_EQ(extract("", {large}, folder.path() + "/anlagen").err,
            large + ": Die Anlage riesig.txt ist größer als 64 MB.\n");

  folder.write("xml/_._Rechnung_1.xml", "earlier");
  EXPECT_EQ(extract(xml, {pdf}).err,
            pdf + ": " + saved + " exists; not replaced (--overwrite replaces it)\n");
  EXPECT_EQ(folder.read("xml/_._Rechnung_1.xml"), "earlier");
  // A link in the file's place is replaced, never followed.
  fs::remove(saved);
  fs::create_symlink(folder.path() + "/target", saved);
  EXPECT_EQ(extract(xml, {pdf}, "", true).status, 0);
  EXPECT_FALSE(fs::is_symlink(saved));
  EXPECT_EQ(folder.read("xml/_._Rechnung_1.xml"), invoice);
  EXPECT_FALSE(fs::exists(folder.path() + "/target"));
  EXPECT_EQ(std::distance(fs::directory_iterator(xml), {}), 1);
}

TEST(ExtractXmlTest, SafeFileNames) {
  const std::pair<std::string, std::string> names[] = {
      {"factur-x.xml", "factur-x.xml"},
      {"a/b\\c.xml", "a_b_c.xml"},
      {"..", "_."},
      {".bashrc", "_bashrc"},
      {"", "fallback.xml"},
      {"C:*?\"<>|\x7F\t.xml", "C_________.xml"},
      {"Rechnung März.xml", "Rechnung März.xml"},
      {std::string(300, 'a') + ".xml", std::string(251, 'a') + ".xml"},
      {std::string(254, 'x') + "\xC3\xA4", std::string(254, 'x')},
  };
  for (const auto& [name, safe] : names) {
    EXPECT_EQ(cli::safeFileName(name, "fallback.xml"), safe) << name;
  }
}

}  // namespace
}  // namespace lumora::test
