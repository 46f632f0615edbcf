// Invoices that cannot be read at all: each run ends with the run-time
// library's message and leaves no file behind.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "render_folder.h"
#include "run_checks.h"
#include "tests/support/invoice_builder.h"

namespace lumora::test {
namespace {

TEST(UnreadableInputTest, MissingFile) {
  RenderFolder folder;
  const ProgramRun run = folder.render({"fehlt.xml"});
  expectFailure(run, "fehlt.xml", "Datei nicht gefunden.");
  EXPECT_TRUE(folder.entries().empty());
}

TEST(UnreadableInputTest, FolderInsteadOfFile) {
  RenderFolder folder;
  std::filesystem::create_directory(folder.file("rechnung.xml"));
  const ProgramRun run = folder.render({"rechnung.xml"});
  expectFailure(run, "rechnung.xml", "Dateizugriff verweigert.");
  EXPECT_EQ(folder.entries(), std::set<std::string>{"rechnung.xml"});
}

TEST(UnreadableInputTest, FileWithoutReadPermission) {
  // Root reads any file, so the run goes as an unprivileged user then.
  if (const auto reason = unprivilegedRunImpossible()) GTEST_SKIP() << *reason;
  RenderFolder folder;
  const std::string invoice = folder.write("rechnung.xml", makeInvoice());
  ASSERT_EQ(::chmod(invoice.c_str(), 0200), 0);
  ::chmod(folder.path().c_str(), 0777);  // the PDF could be written, were it read
  const ProgramRun run = folder.render({"rechnung.xml"}, asUnprivilegedUser());
  expectFailure(run, "rechnung.xml", "Dateizugriff verweigert.");
  EXPECT_EQ(folder.entries(), std::set<std::string>{"rechnung.xml"});
}

}  // namespace
}  // namespace lumora::test
