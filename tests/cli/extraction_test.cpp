// lumora-render --extract-xml: the invoice XML of each PDF saved under its
// own name, made safe, byte for byte, and never over another file unasked.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/extraction.h"
#include "cli/saved_file.h"
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

Extraction extract(const std::string& folder, const std::vector<std::string>& pdfs,
                   bool overwrite = false, const std::string& attachmentFolder = "") {
  cli::Options options;
  options.extractXmlDir = folder;  // empty: no invoice XML saved
  options.attachmentsDir = attachmentFolder;
  options.overwrite = overwrite;
  options.invoices = pdfs;
  Extraction result;
  result.status = cli::extractFiles(
      options, {[&](const std::string& path) { return result.out += path + "\n", true; },
                [&](const std::string& line) { result.err += line + "\n"; }});
  return result;
}

// An attachment as qpdf's own command line shows it.
std::string shownByQpdf(const std::string& pdf, const std::string& show) {
  const std::string command = "qpdf " + show + " '" + pdf + "' 2>/dev/null";
  std::string bytes;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0;) {
      bytes.append(buffer, n);
    }
    ::pclose(pipe);
  }
  return bytes;
}

std::string publicPdfFolder() {
  const std::string folder = std::string(LUMORA_PUBLIC_INVOICES) + "/../public-pdf";
  if (!fs::is_directory(folder)) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") ADD_FAILURE() << "no public PDF invoices at " << folder;
    return {};
  }
  return folder;
}

TEST(ExtractXmlTest, PublicPdfsGiveTheirInvoiceByteForByte) {
  const std::string folder = publicPdfFolder();
  if (folder.empty()) GTEST_SKIP() << "no public PDF invoices";
  struct Invoice {
    std::string pdf;
    std::string name;
    std::string show;  // qpdf's option that shows it
  };
  const Invoice invoices[] = {
      {"EN16931_Einfach.pdf", "factur-x.xml", ""},
      {"EXTENDED_Fremdwaehrung_wdis_fx-pdfa4.pdf", "factur-x.xml", ""},
      {"ZTESTZUGFERD_1_INVDSS_012015738820PDF-1.pdf", "zugferd-invoice.xml", ""},
      // Its name tree is lost; /AF still lists the invoice.
      {"corruptedV2PDF.pdf", "factur-x.xml", "--show-object=106 --filtered-stream-data"},
      {"pdf_fx_extended_1.pdf", "factur-x.xml", ""},
      {"pdf_fx_minimum_1.pdf", "factur-x.xml", ""},
      {"validXRechnung.pdf", "factur-x.xml", ""},
  };
  for (const auto& [pdf, name, show] : invoices) {
    TempDir out;
    const Extraction result = extract(out.path(), {folder + "/" + pdf});
    EXPECT_EQ(result.status, 0) << pdf << ": " << result.err;
    EXPECT_EQ(result.out, out.path() + "/" + name + "\n") << pdf;
    const std::string shown =
        shownByQpdf(folder + "/" + pdf, show.empty() ? "--show-attachment=" + name : show);
    EXPECT_TRUE(!shown.empty() && out.read(name) == shown) << pdf;
  }
  TempDir out;
  const std::string plain = folder + "/MustangGnuaccountingBeispielRE-20170509_505blanko.pdf";
  const Extraction none = extract(out.path(), {plain});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, plain + ": Die PDF-Datei enthält keine E-Rechnung.\n");
  EXPECT_TRUE(fs::is_empty(out.path()));
}

TEST(ExtractXmlTest, NamesAreMadeSafeAndFilesReplacedOnlyWhenAsked) {
  TempDir folder;
  const std::string invoice = minimalInvoice("1");
  const std::string pdf =
      folder.write("a.pdf", makePdf({{"../Rechnung\n1.xml", invoice, "text/xml"}}));
  fs::create_directory(folder.path() + "/out");
  const std::string saved = folder.path() + "/out/_._Rechnung_1.xml";
  EXPECT_EQ(extract(folder.path() + "/out", {pdf}).out, saved + "\n");

  folder.write("out/_._Rechnung_1.xml", "earlier");
  const Extraction refused = extract(folder.path() + "/out", {pdf});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, pdf + ": " + saved + " exists; not replaced (--overwrite replaces it)\n");
  EXPECT_EQ(folder.read("out/_._Rechnung_1.xml"), "earlier");

  // A link in the file's place is replaced, never followed.
  fs::remove(saved);
  fs::create_symlink(folder.path() + "/target", saved);
  EXPECT_EQ(extract(folder.path() + "/out", {pdf}).status, 1);
  EXPECT_EQ(extract(folder.path() + "/out", {pdf}, true).status, 0);
  EXPECT_FALSE(fs::is_symlink(saved));
  EXPECT_EQ(folder.read("out/_._Rechnung_1.xml"), invoice);
  EXPECT_FALSE(fs::exists(folder.path() + "/target"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() + "/out"), {}), 1);
}

// Every file beside the invoice is saved, each on its own: one that cannot
// be read is reported and the others are still saved.
TEST(ExtractXmlTest, AttachmentsOfAPdfAreSavedEachAlone) {
  TempDir folder;
  const std::string invoice = minimalInvoice("1");
  const std::string drawing(70000, '\x89');
  std::string pdfBytes = makePdf({{"lieferschein.pdf", "%PDF-1.4 Lieferschein", "application/pdf"},
                                  {"factur-x.xml", invoice},
                                  {"zeichnung.png", drawing, "image/png"}});
  const std::string pdf = folder.write("a.pdf", pdfBytes);
  fs::create_directory(folder.path() + "/xml");
  fs::create_directory(folder.path() + "/anlagen");
  const Extraction saved =
      extract(folder.path() + "/xml", {pdf}, false, folder.path() + "/anlagen");
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, folder.path() + "/xml/factur-x.xml\n" + folder.path() +
                           "/anlagen/lieferschein.pdf\n" + folder.path() +
                           "/anlagen/zeichnung.png\n");
  EXPECT_EQ(folder.read("anlagen/lieferschein.pdf"), "%PDF-1.4 Lieferschein");
  EXPECT_EQ(folder.read("anlagen/zeichnung.png"), drawing);

  // The drawing's stream garbled: it is reported, the delivery note saved.
  const std::size_t stream = pdfBytes.find("stream", pdfBytes.find("image#2fpng"));
  pdfBytes.replace(stream + 20, 40, 40, 'x');
  const std::string damaged = folder.write("b.pdf", pdfBytes);
  const Extraction partly =
      extract(folder.path() + "/xml", {damaged}, true, folder.path() + "/anlagen");
  EXPECT_EQ(partly.status, 1);
  EXPECT_EQ(partly.err, damaged +
                            ": Die eingebettete Datei zeichnung.png ist beschädigt und kann "
                            "nicht gelesen werden.\n");
  EXPECT_EQ(std::count(partly.out.begin(), partly.out.end(), '\n'), 2);
}

// The public XRechnung samples that carry documents: each is saved, decoded
// (they are PDFs that qpdf accepts), under its name.
TEST(ExtractXmlTest, PublicInvoicesGiveTheirAttachments) {
  const std::string folder = publicPdfFolder();
  if (folder.empty()) GTEST_SKIP() << "no public invoices";
  const std::pair<std::string, std::vector<std::string>> samples[] = {
      {"/../public/01.01_comprehensive_test_ubl.xml",
       {"01_15_Anhang_01.pdf", "01_15_Anhang_02.pdf"}},
      {"/../public/02.01a-INVOICE_ubl.xml", {"01_15_Anhang_01.pdf"}},
      {"/../public-cii/03.07a-INVOICE_uncefact.xml",
       {"01_15_Anhang_01.pdf", "01_15_Anhang_02.pdf"}},
  };
  for (const auto& [invoice, names] : samples) {
    TempDir out;
    const Extraction result = extract("", {folder + invoice}, false, out.path());
    EXPECT_EQ(result.status, 0) << invoice << ": " << result.err;
    std::string paths;
    for (const std::string& name : names) {
      paths += out.path() + "/" + name + "\n";
      EXPECT_NE(shownByQpdf(out.path() + "/" + name, "--check").find("No syntax or stream"),
                std::string::npos)
          << invoice << ": " << name;
    }
    EXPECT_EQ(result.out, paths) << invoice;
  }
}

// A document whose text is no base64, or decodes to more than the limit,
// is reported; the others are still saved.
TEST(ExtractXmlTest, AttachmentsThatCannotBeDecodedAreReported) {
  TempDir folder;
  const auto document = [](const std::string& name, const std::string& text) {
    return "<cac:AdditionalDocumentReference><cbc:ID>1</cbc:ID><cac:Attachment>"
           "<cbc:EmbeddedDocumentBinaryObject mimeCode=\"text/plain\" filename=\"" +
           name + "\">" + text + "</cbc:EmbeddedDocumentBinaryObject></cac:Attachment>" +
           "</cac:AdditionalDocumentReference>";
  };
  const std::string invoice = folder.write(
      "r.xml",
      minimalInvoice("1", {document("kaputt.txt", "nicht*base64"), document("gut.txt", "R3V0"),
                           document("riesig.txt", std::string(90 << 20, 'A'))}));
  fs::create_directory(folder.path() + "/out");
  const Extraction result = extract("", {invoice}, false, folder.path() + "/out");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, folder.path() + "/out/gut.txt\n");
  EXPECT_EQ(folder.read("out/gut.txt"), "Gut");
  EXPECT_EQ(result.err, invoice +
                            ": Die Anlage kaputt.txt ist nicht base64-kodiert und kann nicht "
                            "gespeichert werden.\n" +
                            invoice + ": Die Anlage riesig.txt ist größer als 64 MB.\n");
}

TEST(ExtractXmlTest, SafeFileNames) {
  const std::string longStem(300, 'a');
  const std::pair<std::string, std::string> names[] = {
      {"factur-x.xml", "factur-x.xml"},
      {"a/b\\c.xml", "a_b_c.xml"},
      {"..", "_."},
      {".bashrc", "_bashrc"},
      {"", "fallback.xml"},
      {"C:*?\"<>|\x7F\t.xml", "C_________.xml"},
      {"Rechnung März.xml", "Rechnung März.xml"},
      {longStem + ".xml", std::string(251, 'a') + ".xml"},
      {std::string(254, 'x') + "\xC3\xA4", std::string(254, 'x')},
  };
  for (const auto& [name, safe] : names) {
    EXPECT_EQ(cli::safeFileName(name, "fallback.xml"), safe) << name;
  }
}

}  // namespace
}  // namespace lumora::test
