// Where the PDF goes and what happens when it cannot go there: the file stays
// in its folder whatever the invoice number says, a failed run writes
// nothing and leaves no temporary file, and an earlier Beleg-….pdf of the
// same number survives every failed run byte for byte.

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "pdf_inspect.h"
#include "render_folder.h"
#include "run_checks.h"
#include "tests/support/invoice_builder.h"

namespace lumora::test {
namespace {

const std::string kEarlierPdf = "%PDF-1.4\n% the earlier Beleg of this number\n";

// The write error as the user sees it, naming the system's reason.
std::string writeError(const std::string& pdf, int reason) {
  return "Die PDF-Datei konnte nicht geschrieben werden: " + pdf + " (" + std::strerror(reason) +
         ")";
}

// A small tmpfs mounted for one test, where the test may mount (as root).
class TmpfsMount {
 public:
  TmpfsMount(const std::string& at, const std::string& options) : m_at(at) {
    m_mounted = ::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!m_mounted) m_error = std::strerror(errno);
  }
  ~TmpfsMount() {
    if (m_mounted) ::umount2(m_at.c_str(), MNT_DETACH);
  }
  bool mounted() const { return m_mounted; }
  const std::string& error() const { return m_error; }

 private:
  std::string m_at;
  bool m_mounted = false;
  std::string m_error;
};

TEST(OutputFileTest, NumberCannotLeadOutOfTheFolder) {
  RenderFolder folder;
  std::filesystem::create_directory(folder.file("ein"));
  folder.write("ein/rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("../../raus")));
  const ProgramRun run = folder.render({"ein/rechnung.xml"});
  expectPdf(run, folder.file("ein/Beleg-.._.._raus.pdf"));
  EXPECT_EQ(folder.entries(), std::set<std::string>{"ein"});
  EXPECT_EQ(folder.entries("ein"), (std::set<std::string>{"rechnung.xml", "Beleg-.._.._raus.pdf"}));
}

TEST(OutputFileTest, FailedConversionKeepsTheEarlierPdf) {
  RenderFolder folder;
  folder.write("rechnung.xml",
               makeInvoice(InvoiceRecipe().withNumber("4711").withLineAmount("12 SEK")));
  folder.write("Beleg-4711.pdf", kEarlierPdf);
  const ProgramRun run = folder.render({"rechnung.xml"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.starts_with("rechnung.xml: '")) << run.err;
  EXPECT_TRUE(run.err.ends_with("' ist kein gültiger Gleitkommawert.\n")) << run.err;
  EXPECT_EQ(folder.read("Beleg-4711.pdf"), kEarlierPdf);
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"rechnung.xml", "Beleg-4711.pdf"}));
}

TEST(OutputFileTest, UnwritableFolderKeepsTheEarlierPdf) {
  // Root writes into any folder, so the run goes as an unprivileged user then.
  if (const auto reason = unprivilegedRunImpossible()) GTEST_SKIP() << *reason;
  RenderFolder folder;
  std::filesystem::create_directory(folder.file("aus"));
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  folder.write("aus/Beleg-4711.pdf", kEarlierPdf);
  ASSERT_EQ(::chmod(folder.file("aus/Beleg-4711.pdf").c_str(), 0666),
            0);  // only the folder refuses
  ASSERT_EQ(::chmod(folder.file("aus").c_str(), 0555), 0);
  const ProgramRun run =
      folder.render({"--output-dir", "aus", "rechnung.xml"}, asUnprivilegedUser());
  expectFailure(run, "rechnung.xml", writeError(folder.file("aus/Beleg-4711.pdf"), EACCES));
  EXPECT_EQ(folder.read("aus/Beleg-4711.pdf"), kEarlierPdf);
  EXPECT_EQ(folder.entries("aus"), std::set<std::string>{"Beleg-4711.pdf"});
}

TEST(OutputFileTest, FullDiskKeepsTheEarlierPdf) {
  RenderFolder folder;
  std::filesystem::create_directory(folder.file("voll"));
  TmpfsMount disk(folder.file("voll"), "size=8k,mode=0755");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.error();
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  folder.write("voll/Beleg-4711.pdf", kEarlierPdf);
  const ProgramRun run = folder.render({"--output-dir", "voll", "rechnung.xml"});
  expectFailure(run, "rechnung.xml", writeError(folder.file("voll/Beleg-4711.pdf"), ENOSPC));
  EXPECT_EQ(folder.read("voll/Beleg-4711.pdf"), kEarlierPdf);
  EXPECT_EQ(folder.entries("voll"), std::set<std::string>{"Beleg-4711.pdf"});
}

TEST(OutputFileTest, FolderInThePlaceOfThePdf) {
  RenderFolder folder;
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  std::filesystem::create_directory(folder.file("Beleg-4711.pdf"));
  const ProgramRun run = folder.render({"rechnung.xml"});
  expectFailure(run, "rechnung.xml", writeError(folder.file("Beleg-4711.pdf"), EISDIR));
  EXPECT_TRUE(std::filesystem::is_empty(folder.file("Beleg-4711.pdf")));
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"rechnung.xml", "Beleg-4711.pdf"}));
}

// With no font to be found, the text would be missing: nothing is written,
// and the earlier PDF stays.
TEST(OutputFileTest, NoUsableFontWritesNothing) {
  RenderFolder folder;
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  folder.write("Beleg-4711.pdf", kEarlierPdf);
  const std::string noFonts =
      folder.write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
  ProgramOptions options;
  options.environment = {"FONTCONFIG_FILE=" + noFonts};
  const ProgramRun run = folder.render({"rechnung.xml"}, options);
  expectFailure(
      run, "rechnung.xml",
      "Die PDF-Datei konnte nicht geschrieben werden: " + folder.file("Beleg-4711.pdf") + ".");
  EXPECT_EQ(folder.read("Beleg-4711.pdf"), kEarlierPdf);
}

// A replaced PDF keeps its permissions, and temporary files that a crashed
// writer left behind go with the next write; one still being written stays.
TEST(OutputFileTest, ReplacingKeepsPermissionsAndRemovesStaleTemporaries) {
  RenderFolder folder;
  folder.write("rechnung.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  folder.write("Beleg-4711.pdf", kEarlierPdf);
  ASSERT_EQ(::chmod(folder.file("Beleg-4711.pdf").c_str(), 0600), 0);
  const std::string stale = folder.write(".dynapdf-Ab12Cd", "left by a crash");
  const timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, stale.c_str(), anHourAgo, 0), 0);
  folder.write(".dynapdf-Ef34Gh", "being written");
  folder.write(".dynapdf-notes", "not ours");

  expectPdf(folder.render({"rechnung.xml"}), folder.file("Beleg-4711.pdf"));
  struct stat pdf {};
  ASSERT_EQ(::stat(folder.file("Beleg-4711.pdf").c_str(), &pdf), 0);
  EXPECT_EQ(pdf.st_mode & 0777, 0600u);
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"rechnung.xml", "Beleg-4711.pdf",
                                                     ".dynapdf-Ef34Gh", ".dynapdf-notes"}));
}

// Messages quote at most 200 bytes of what the invoice holds: a megabyte of
// invoice number or of line amount gives a short line.
TEST(OutputFileTest, MessagesQuoteAtMost200BytesOfTheInvoice) {
  RenderFolder folder;
  const std::string number(1 << 20, 'N');
  folder.write("nummer.xml", makeInvoice(InvoiceRecipe().withNumber(number)));
  folder.write(
      "waehrung.xml",
      makeInvoice(InvoiceRecipe().withNumber("4711").withLineAmount(std::string(1 << 20, 'W'))));
  const ProgramRun run = folder.render({"nummer.xml", "waehrung.xml"});
  EXPECT_EQ(run.exitCode, 1);
  const std::string pdf = folder.file("Beleg-" + number + ".pdf");
  EXPECT_NE(run.err.find("nummer.xml: Die PDF-Datei konnte nicht geschrieben werden: " +
                         pdf.substr(0, 200) + "… (" + std::strerror(ENAMETOOLONG) + ")\n"),
            std::string::npos)
      << run.err.substr(0, 1000);
  EXPECT_NE(run.err.find(std::string(100, 'W') + "…' ist kein gültiger Gleitkommawert.\n"),
            std::string::npos)
      << run.err.substr(0, 1000);
  EXPECT_LT(run.err.size(), 1000u);
}

// "A/1" and "A_1" both give Beleg-A_1.pdf: within one call the second one
// does not silently replace the first, unless --overwrite says so.
TEST(OutputFileTest, OneCallWritesEachPdfOnce) {
  RenderFolder folder;
  folder.write("erste.xml", makeInvoice(InvoiceRecipe().withNumber("A/1")));
  folder.write("zweite.xml", makeInvoice(InvoiceRecipe().withNumber("A_1")));
  const std::string pdf = folder.file("Beleg-A_1.pdf");
  const ProgramRun refused = folder.render({"erste.xml", "zweite.xml"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, pdf + "\n");
  EXPECT_EQ(refused.err, "zweite.xml: " + pdf +
                             " was written for erste.xml earlier in this call; not replaced "
                             "(--overwrite replaces it)\n");
  EXPECT_NE(readPageText(pdf, 1).find("A/1"), std::string::npos);
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"erste.xml", "zweite.xml", "Beleg-A_1.pdf"}));

  const ProgramRun replaced = folder.render({"--overwrite", "erste.xml", "zweite.xml"});
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_EQ(replaced.out, pdf + "\n" + pdf + "\n");
  EXPECT_NE(readPageText(pdf, 1).find("A_1"), std::string::npos);
}

}  // namespace
}  // namespace lumora::test
