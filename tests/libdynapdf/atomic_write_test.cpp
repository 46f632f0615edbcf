// Writing the file: the target changes only when a complete document was
// written, and no temporary file is left behind either way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dynapdf_session.h"
#include "folder_entries.h"
#include "pdf_inspect.h"
#include "temp_dir.h"

namespace lumora::test {
namespace {

const std::string kOldContent = "the previous document\n";

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A document of one page with enough text to need several writes.
bool writeDocument(const std::string& path) {
  DynaPdfSession session;
  if (!session.startDocument()) return false;
  for (int line = 0; line < 80; ++line) {
    if (!session.write({60, 786.0 - line * 9, u"Position mit Text über die ganze Breite €"})) {
      return false;
    }
  }
  return session.finish(path);
}

TEST(AtomicWrite, ReplacesTheTargetWithAnOrdinaryFile) {
  TempDir dir;
  const std::string target = dir.path() + "/Beleg-4711.pdf";
  writeFile(target, kOldContent);

  ASSERT_TRUE(writeDocument(target));

  EXPECT_EQ(readPdfInfo(target).pages, 1);
  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Beleg-4711.pdf"});
  // The temporary file is created private; the result must not stay so.
  const mode_t mask = umask(0);
  umask(mask);
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);
}

TEST(AtomicWrite, NameAsLongAsTheFileSystemAllowsIsWritten) {
  TempDir dir;
  const std::string name = std::string(255 - 4, 'B') + ".pdf";

  ASSERT_TRUE(writeDocument(dir.path() + "/" + name));

  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{name});
}

TEST(AtomicWrite, UnwritableTargetsFailWithoutLeavingFiles) {
  TempDir dir;
  writeFile(dir.path() + "/plain.txt", kOldContent);

  EXPECT_FALSE(writeDocument(dir.path() + "/missing/Beleg.pdf")) << "folder does not exist";
  EXPECT_FALSE(writeDocument(dir.path() + "/plain.txt/Beleg.pdf")) << "path runs through a file";
  EXPECT_FALSE(writeDocument("")) << "empty path";

  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"plain.txt"});
  EXPECT_EQ(readFile(dir.path() + "/plain.txt"), kOldContent);
}

TEST(AtomicWrite, FailingRenameLeavesTargetAndNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir.path() + "/Beleg.pdf";
  std::filesystem::create_directory(target);  // a folder cannot be replaced by a file

  EXPECT_FALSE(writeDocument(target));

  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Beleg.pdf"});
  EXPECT_TRUE(std::filesystem::is_directory(target));
}

// A disk that fills up halfway through the document, imitated with a file
// size limit in a child process so the test itself is not limited.
TEST(AtomicWrite, FailingWriteLeavesEarlierFileUntouched) {
  TempDir dir;
  const std::string target = dir.path() + "/Beleg.pdf";
  writeFile(target, kOldContent);

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of killing us
    const rlimit limit{2048, 2048};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(writeDocument(target) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must be reported as failed";

  EXPECT_EQ(readFile(target), kOldContent);
  EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Beleg.pdf"});
}

}  // namespace
}  // namespace lumora::test
