// Invoices that arrive as PDF, and the run that must not write its PDF over
// the invoice it reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exceptions.h"
#include "render/attachment_list.h"
#include "render/render_run.h"
#include "tests/render/pdf_run.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

// The invoice's Beleg would be the invoice itself: by its name, or by a
// link to it under that name. The run stops and the invoice stays.
TEST(PdfInputTest, OutputNeverReplacesItsInput) {
  TempDir folder;
  const std::string invoice = minimalInvoice("4711");
  const std::string named = folder.write("Beleg-4711.pdf", invoice);
  fs::create_directory(folder.path() + "/linked");
  const std::string original = folder.write("linked/r.xml", invoice);
  fs::create_hard_link(original, folder.path() + "/linked/Beleg-4711.pdf");
  for (const std::string& path : {named, original}) {
    const std::string pdfFolder = fs::path(path).parent_path();
    try {
      renderPdf(path, pdfFolder);
      ADD_FAILURE() << path << " was replaced";
    } catch (const Exception& error) {
      EXPECT_EQ(error.what(), std::string(kOutputIsInput) + pdfFolder + "/Beleg-4711.pdf");
    }
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), invoice) << path;
  }
}

// One unit of width per byte: "Anlagen: " is 9 wide.
TEST(PdfInputTest, AttachmentListBreaksAfterACommaWithinTheWidth) {
  const auto bytes = [](std::string_view text) { return static_cast<double>(text.size()); };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(attachmentLines({}, 30, bytes), Lines{});
  EXPECT_EQ(attachmentLines({"a.pdf", "b.png"}, 30, bytes), Lines{"Anlagen: a.pdf, b.png"});
  EXPECT_EQ(attachmentLines({"a.pdf", "b.png", "c.txt"}, 22, bytes),
            (Lines{"Anlagen: a.pdf, b.png,", "c.txt"}));
  EXPECT_EQ(attachmentLines({"lieferschein-2024.pdf", "a.pdf", std::string(40, 'x')}, 30, bytes),
            (Lines{"Anlagen: lieferschein-2024.pdf,", "a.pdf,", std::string(40, 'x')}));
}

}  // namespace
}  // namespace lumora::test
