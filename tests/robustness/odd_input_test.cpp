// Files that are readable but no proper invoice, or far larger than any real
// one. A file that is no XML or names no invoice is refused; in one that
// does, a missing element is never an error. What matters is that every run
// ends, with a valid PDF or a message.

#include <gtest/gtest.h>

#include <random>

#include "pdf_inspect.h"
#include "render_folder.h"
#include "run_checks.h"
#include "tests/support/invoice_builder.h"

namespace lumora::test {
namespace {

std::string utf16le(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(generator));
  return bytes;
}

bool pageShows(const std::string& pdf, int page, const std::string& text) {
  return readPageText(pdf, page).find(text) != std::string::npos;
}

TEST(OddInputTest, FilesThatAreNoInvoiceOrNoXmlAreRefused) {
  // Nothing names an invoice, a credit note or a CII invoice, or the file is
  // not well-formed XML: the user is told so, and nothing is written.
  const std::string invoice = makeInvoice(InvoiceRecipe().withNumber("4711").withLines(3));
  std::string noNumberCloses = invoice;
  for (std::size_t at; (at = noNumberCloses.find("</cbc:ID>")) != std::string::npos;) {
    noNumberCloses.erase(at, 9);
  }
  const std::string noInvoice = "Die Datei ist keine E-Rechnung im UBL- oder CII-Format.";
  const std::string notXml = "Die Datei ist kein wohlgeformtes XML: Zeile ";
  const struct {
    const char* what;
    std::string bytes;
    std::string message;  // the start of it for XML errors
  } files[] = {
      {"empty", "", noInvoice},
      {"HTML page",
       "<!DOCTYPE html>\n<html><head><title>Rechnung</title></head>\n"
       "<body><p>Invoice 4711</p></body></html>\n",
       noInvoice},
      {"invoice only in a comment", "<?xml version=\"1.0\"?>\r\n<!-- <Invoice> -->\r\n<Order/>",
       noInvoice},
      {"ends inside an invoice line", invoice.substr(0, invoice.find("<cbc:ID>L2</cbc:ID>") + 40),
       notXml},
      {"no number closes", noNumberCloses, notXml},
      {"random bytes", randomBytes(1 << 20, 1), notXml},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    RenderFolder folder;
    folder.write("r.xml", file.bytes);
    const ProgramRun run = folder.render({"r.xml"});
    if (file.message == notXml) {
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_TRUE(run.err.starts_with("r.xml: " + notXml)) << run.err;
    } else {
      expectFailure(run, "r.xml", file.message);
    }
    EXPECT_EQ(folder.entries(), std::set<std::string>{"r.xml"});
  }
}

TEST(OddInputTest, InvoiceInUtf16IsRead) {
  RenderFolder folder;
  std::string xml = makeInvoice(InvoiceRecipe().withNumber("4711"));
  xml.replace(xml.find("UTF-8"), 5, "UTF-16");
  folder.write("r.xml", utf16le(xml));
  const ProgramRun run = folder.render({"r.xml"});
  const std::string pdf = folder.file("Beleg-4711.pdf");
  expectPdf(run, pdf);
  EXPECT_TRUE(pageShows(pdf, 1, "L2"));
}

TEST(OddInputTest, HundredMegabytesOnOneLine) {
  // A real invoice carries its attachments as one long base64 line; here the
  // whole file is one line of 100 MB. It must finish, in bounded memory.
  RenderFolder folder;
  std::string xml = makeInvoice(InvoiceRecipe().withNumber("4711").withLines(5).onOneLine());
  const std::string attachment =
      "<cac:AdditionalDocumentReference><cbc:ID>Anlage</cbc:ID><cac:Attachment>"
      "<cbc:EmbeddedDocumentBinaryObject mimeCode=\"application/pdf\">" +
      std::string(100u << 20, 'Q') +
      "</cbc:EmbeddedDocumentBinaryObject></cac:Attachment>"
      "</cac:AdditionalDocumentReference>";
  xml.insert(xml.find("<cbc:IssueDate>"), attachment);
  folder.write("gross.xml", xml);
  xml = {};
  const ProgramRun run = folder.render({"gross.xml"});
  const std::string pdf = folder.file("Beleg-4711.pdf");
  expectPdf(run, pdf);
  EXPECT_TRUE(pageShows(pdf, 1, "L5"));
  RecordProperty("peak_memory_kib", std::to_string(run.peakMemoryKiB));
  EXPECT_LT(run.peakMemoryKiB, 8 * (100 << 10)) << "more than eight times the file in memory";
}

TEST(OddInputTest, TenThousandInvoiceLines) {
  RenderFolder folder;
  folder.write("lang.xml", makeInvoice(InvoiceRecipe().withNumber("4711").withLines(10000)));
  const ProgramRun run = folder.render({"lang.xml"});
  const std::string pdf = folder.file("Beleg-4711.pdf");
  expectPdf(run, pdf);
  // Rows of 10 mm from y 20 to the bottom limit at 260: 25 on a page.
  const int pages = readPdfInfo(pdf).pages;
  EXPECT_GE(pages, 10000 / 25);
  const std::string lastTwo = readPageText(pdf, pages - 1) + readPageText(pdf, pages);
  EXPECT_NE(lastTwo.find("L10000"), std::string::npos);
  EXPECT_TRUE(pageShows(pdf, pages, "Zahlungsbetrag"));
  RecordProperty("peak_memory_kib", std::to_string(run.peakMemoryKiB));
}

}  // namespace
}  // namespace lumora::test
