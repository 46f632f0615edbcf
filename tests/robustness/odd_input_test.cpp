// Files that are readable but no proper invoice, or far larger than any real
// one. A file that names no invoice is refused; in one that does, a missing
// element is never an error, so most of them still give a PDF. What matters
// is that every run ends, with a valid PDF or a message.

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

TEST(OddInputTest, FilesThatAreNoInvoiceAreRefused) {
  // Nothing names an invoice, a credit note or a CII invoice: the user is
  // told so, and nothing is written.
  const std::string invoice = makeInvoice(InvoiceSpec().withNumber("4711"));
  const struct {
    const char* what;
    std::string bytes;
  } files[] = {
      {"empty", ""},
      {"UTF-16", utf16le(invoice)},
      {"HTML page",
       "<!DOCTYPE html>\n<html><head><title>Rechnung</title></head>\n"
       "<body><p>Invoice 4711</p></body></html>\n"},
      {"invoice only in a comment", "<?xml version=\"1.0\"?>\r\n<!-- <Invoice> -->\r\n<Order/>"},
      {"random bytes", randomBytes(1 << 20, 1)},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    RenderFolder folder;
    folder.write("r.xml", file.bytes);
    const ProgramRun run = folder.render({"r.xml"});
    expectFailure(run, "r.xml", "Die Datei ist keine E-Rechnung im UBL- oder CII-Format.");
    EXPECT_EQ(folder.entries(), std::set<std::string>{"r.xml"});
  }
}

TEST(OddInputTest, ElementThatNeverCloses) {
  // The file ends inside the second invoice line: that line's block runs to
  // the end of the file, and the table still ends.
  RenderFolder folder;
  std::string xml = makeInvoice(InvoiceSpec().withNumber("4711").withLines(3));
  xml.resize(xml.find("<cbc:ID>L2</cbc:ID>") + 40);
  folder.write("abgebrochen.xml", xml);
  const ProgramRun run = folder.render({"abgebrochen.xml"});
  const std::string pdf = folder.file("Beleg-4711.pdf");
  expectPdf(run, pdf);
  EXPECT_TRUE(pageShows(pdf, 1, "L1"));
  EXPECT_TRUE(pageShows(pdf, 1, "L2"));
}

TEST(OddInputTest, InvoiceNumberThatNeverCloses) {
  // No cbc:ID closes, so the number's block starts at the last opening tag
  // and runs to the end of the file, far too long for a file name: the PDF
  // cannot be written, and the user is told so.
  RenderFolder folder;
  std::string xml = makeInvoice(InvoiceSpec().withNumber("4711").withLines(30));
  for (std::size_t at; (at = xml.find("</cbc:ID>")) != std::string::npos;) xml.erase(at, 9);
  folder.write("offen.xml", xml);
  const ProgramRun run = folder.render({"offen.xml"});
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.starts_with("offen.xml: Die PDF-Datei konnte nicht geschrieben werden: " +
                                  folder.file("Beleg-L30")))
      << run.err;
  EXPECT_EQ(folder.entries(), std::set<std::string>{"offen.xml"});
}

TEST(OddInputTest, HundredMegabytesOnOneLine) {
  // A real invoice carries its attachments as one long base64 line; here the
  // whole file is one line of 100 MB. It must finish, in bounded memory.
  RenderFolder folder;
  std::string xml = makeInvoice(InvoiceSpec().withNumber("4711").withLines(5).onOneLine());
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
  folder.write("lang.xml", makeInvoice(InvoiceSpec().withNumber("4711").withLines(10000)));
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
