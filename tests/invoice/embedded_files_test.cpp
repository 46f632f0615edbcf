// Finding the invoice inside a PDF: where a PDF lists its files, which one
// is the invoice, and what a PDF that cannot give one says.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "invoice/embedded_files.h"
#include "invoice/pdf_invoice.h"
#include "invoice/qpdf_embedded_files.h"
#include "pdf_maker.h"
#include "platform/exceptions.h"
#include "temp_dir.h"

namespace lumora::test {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The seed starts with the fuzzer's long-text byte.
const std::string kCii =
    readFile(LUMORA_SOURCE_DIR "/fuzz/corpus/render_run/CII_example7").substr(1);
const std::string kUbl = readFile(LUMORA_SOURCE_DIR "/examples/beispielrechnung.xml");

// `pdf` with its cross-reference table pointing elsewhere, cut in half, or
// with its first compressed stream garbled.
std::string withWrongXrefOffset(std::string pdf) {
  return pdf.replace(pdf.rfind("startxref") + 10, 3, "999");
}
std::string cutInHalf(const std::string& pdf) {
  return pdf.substr(0, pdf.size() / 2);
}
std::string withGarbledStream(std::string pdf) {
  const std::size_t data = pdf.find("stream", pdf.find("/FlateDecode")) + 20;
  return pdf.replace(data, 50, 50, 'x');
}

// "name: <chosen file>" when an invoice is found, "names: <listed files>"
// before it, or the message of the error.
std::string outcomeOf(const std::string& pdfBytes) {
  try {
    const std::unique_ptr<EmbeddedFiles> pdf = readPdfEmbeddedFilesFromMemory(pdfBytes);
    std::string names;
    for (const EmbeddedFile& file : pdf->files()) names += file.name + " ";
    const EmbeddedInvoice invoice = findEmbeddedInvoice(*pdf);
    const std::string& expected = invoice.name.ends_with("ubl.xml") ? kUbl : kCii;
    return (invoice.xml == expected ? "" : "other bytes: ") + names + "-> " + invoice.name;
  } catch (const Exception& error) {
    return error.what();
  }
}

TEST(EmbeddedFilesTest, InvoiceIsFoundWhereverThePdfListsIt) {
  const Attachment cii{"factur-x.xml", kCii};
  const Attachment ubl{"rechnung-ubl.xml", kUbl};
  const Attachment text{"readme.txt", "text", "text/plain"};
  const Attachment note{"note.xml", "<note>kein Beleg</note>"};
  const Attachment html{"factur-x.xml", "<html><body>Rechnung</body></html>", "text/html"};
  struct Case {
    const char* label;
    std::string pdf;
    std::string outcome;
  } cases[] = {
      {"name tree only", makePdf({cii}, kNameTree), "factur-x.xml -> factur-x.xml"},
      {"/AF only, any XML name", makePdf({text, ubl}, kAssociatedFiles),
       "readme.txt rechnung-ubl.xml -> rechnung-ubl.xml"},
      {"object streams", makePdf({cii}, kNameTree | kObjectStreams),
       "factur-x.xml -> factur-x.xml"},
      {"preferred name before order", makePdf({ubl, {"xrechnung.xml", kCii}, cii}),
       "factur-x.xml rechnung-ubl.xml xrechnung.xml -> factur-x.xml"},
      {"preferred name whatever its case", makePdf({ubl, {"ZUGFERD-INVOICE.XML", kCii, ""}}),
       "ZUGFERD-INVOICE.XML rechnung-ubl.xml -> ZUGFERD-INVOICE.XML"},
      {"a preferred name that is no invoice", makePdf({html, note, ubl}),
       "factur-x.xml note.xml rechnung-ubl.xml -> rechnung-ubl.xml"},
      {"XML by its type alone", makePdf({{"beleg", kCii, "application/xml"}}), "beleg -> beleg"},
      {"an invoice that is not named as XML", makePdf({{"beleg.dat", kCii, ""}}),
       "Die PDF-Datei enthält keine E-Rechnung"},
      {"no invoice among the files", makePdf({text, note}),
       "Die PDF-Datei enthält keine E-Rechnung"},
      {"no files", makePdf({}), "Die PDF-Datei enthält keine E-Rechnung"},
      {"encrypted, opens without a password", makePdf({cii}, kNameTree | kEncrypted),
       "factur-x.xml -> factur-x.xml"},
      {"encrypted with a password", makePdf({cii}, kNameTree | kEncrypted, "geheim"),
       "Die PDF-Datei ist verschlüsselt; ohne Kennwort kann sie nicht gelesen werden"},
      {"an attachment past the limit", makeInflatingPdf("factur-x.xml", kMostEmbeddedFileBytes + 1),
       "Die eingebettete Datei factur-x.xml ist größer als 64 MB"},
      {"name tree looping into itself", makeLoopingNameTreePdf(), "Die PDF-Datei ist beschädigt"},
      {"cross-reference table lost", withWrongXrefOffset(makePdf({cii})),
       "factur-x.xml -> factur-x.xml"},
      {"cut in half", cutInHalf(makePdf({cii})), "Die PDF-Datei ist beschädigt: "},
      {"invoice garbled", withGarbledStream(makePdf({cii})),
       "Die eingebettete Datei factur-x.xml ist beschädigt und kann nicht gelesen werden"},
      {"no PDF at all", "%PDF-1.7\n%%EOF\n", "Die PDF-Datei ist beschädigt"},
      {"empty", "", "Die PDF-Datei ist beschädigt"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(outcomeOf(c.pdf).starts_with(c.outcome)) << c.label << ": " << outcomeOf(c.pdf);
  }
}

// The program reaches qpdf through the module it loads on the first PDF;
// a file that cannot be opened says why.
TEST(EmbeddedFilesTest, ProgramOpensPdfsThroughTheModule) {
  TempDir folder;
  const std::string pdf = folder.write("rechnung.pdf", makePdf({{"factur-x.xml", kCii}}));
  EXPECT_EQ(readEmbeddedInvoice(pdf).xml, kCii);
  EXPECT_FALSE(isPdfFile(folder.write("rechnung.xml", kCii)));
  for (const std::string& unreadable : {folder.path() + "/fehlt.pdf", folder.path()}) {
    EXPECT_THROW(openEmbeddedFiles(unreadable), InOutError) << unreadable;
    EXPECT_THROW(isPdfFile(unreadable), InOutError) << unreadable;
  }
}

}  // namespace
}  // namespace lumora::test
