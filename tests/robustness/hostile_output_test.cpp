// The PDF as an ordinary user's files and folders deserve it: a read-only
// PDF is not replaced, a symbolic link lends the new PDF no permissions, the
// umask counts also without /proc, and a run ended by a signal while it
// writes leaves nothing behind. lumora-render runs as an unprivileged user.

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "render_folder.h"
#include "run_checks.h"
#include "tests/support/invoice_builder.h"
#include "unprivileged.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMORA_CLANG_ADDRESS_SANITIZER
#endif
#endif

namespace lumora::test {
namespace {

const std::string kEarlierPdf = "%PDF-1.4\n% the earlier Beleg of this number\n";

mode_t modeOf(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// A folder "aus" of the render folder that the unprivileged user owns.
std::string ownOutputFolder(const RenderFolder& folder) {
  std::filesystem::create_directory(folder.file("aus"));
  handOver(folder.file("aus"));
  return folder.file("aus");
}

TEST(HostileOutputTest, WriteProtectionAndPermissionsAreRespected) {
  if (const auto reason = unprivilegedRunImpossible()) GTEST_SKIP() << *reason;
  RenderFolder folder;
  const std::string aus = ownOutputFolder(folder);
  folder.write("geschuetzt.xml", makeInvoice(InvoiceRecipe().withNumber("4711")));
  folder.write("verlinkt.xml", makeInvoice(InvoiceRecipe().withNumber("4712")));
  folder.write("aus/Beleg-4711.pdf", kEarlierPdf);
  handOver(aus + "/Beleg-4711.pdf");
  ASSERT_EQ(::chmod((aus + "/Beleg-4711.pdf").c_str(), 0444), 0);
  folder.write("aus/ziel", "not a PDF");
  ASSERT_EQ(::chmod((aus + "/ziel").c_str(), 0777), 0);
  std::filesystem::create_symlink("ziel", aus + "/Beleg-4712.pdf");
  handOver(aus + "/Beleg-4712.pdf");

  ProgramOptions options = asUnprivilegedUser();
  options.umask = 022;
  const ProgramRun run =
      folder.render({"--output-dir", "aus", "geschuetzt.xml", "verlinkt.xml"}, options);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "geschuetzt.xml: Die PDF-Datei ist schreibgeschützt: " + aus + "/Beleg-4711.pdf.\n");
  EXPECT_EQ(run.out, aus + "/Beleg-4712.pdf\n");
  EXPECT_EQ(folder.read("aus/Beleg-4711.pdf"), kEarlierPdf);
  EXPECT_EQ(modeOf(aus + "/Beleg-4711.pdf") & 0777, 0444u);
  // The link is replaced by a file of the default mode; its target stays.
  EXPECT_EQ(modeOf(aus + "/Beleg-4712.pdf"), S_IFREG | 0644u);
  EXPECT_EQ(folder.read("aus/ziel"), "not a PDF");
  EXPECT_EQ(modeOf(aus + "/ziel") & 0777, 0777u);

  // Without /proc the umask cannot be read there; it counts all the same.
  folder.write("privat.xml", makeInvoice(InvoiceRecipe().withNumber("4713")));
  options.umask = 077;
  options.withoutProc = true;
#if defined(__SANITIZE_ADDRESS__) || defined(LUMORA_CLANG_ADDRESS_SANITIZER)
  GTEST_SKIP() << "the sanitizers read their options and look for leaks in /proc";
#endif
  // The program's own folder is unknown then; the PDF library is found on the path.
  options.environment = {"LD_LIBRARY_PATH=" LUMORA_BIN_DIR};
  const ProgramRun hidden = folder.render({"--output-dir", "aus", "privat.xml"}, options);
  if (hidden.exitCode == 125) GTEST_SKIP() << "cannot hide /proc here (needs root)";
  expectPdf(hidden, aus + "/Beleg-4713.pdf");
  EXPECT_EQ(modeOf(aus + "/Beleg-4713.pdf") & 0777, 0600u);
}

// Whether process `pid` has a file of `folder` open; false also once it has ended.
bool hasFileOpenIn(pid_t pid, const std::string& folder) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  DIR* entries = ::opendir(fds.c_str());
  if (entries == nullptr) return false;
  bool found = false;
  while (const dirent* entry = ::readdir(entries)) {
    char target[4096];
    const ssize_t length =
        ::readlink((fds + "/" + entry->d_name).c_str(), target, sizeof target - 1);
    if (length > 0 && std::string_view(target, length).starts_with(folder + "/")) found = true;
  }
  ::closedir(entries);
  return found;
}

// Sends `signal` to `pid` as soon as it opens a file in `folder`; false when
// it ended first.
bool signalWhenWriting(pid_t pid, const std::string& folder, int signal) {
  for (;;) {
    if (hasFileOpenIn(pid, folder)) return ::kill(pid, signal) == 0;
    siginfo_t ended{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
        ended.si_pid == pid) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

// Interrupted while it writes the PDF, the run leaves no partial or
// temporary file, and the earlier PDF stays. The write is short, so a run
// that ends before the signal comes is tried again.
TEST(HostileOutputTest, SignalWhileThePdfIsWrittenLeavesNothing) {
  if (const auto reason = unprivilegedRunImpossible()) GTEST_SKIP() << *reason;
  RenderFolder folder;
  const std::string aus = ownOutputFolder(folder);
  // Enough pages that writing them takes a while.
  folder.write("lang.xml", makeInvoice(InvoiceRecipe().withNumber("4711").withLines(3000)));
  for (const int signal : {SIGINT, SIGTERM}) {
    bool signalled = false;
    for (int attempt = 0; attempt < 20 && !signalled; ++attempt) {
      folder.write("aus/Beleg-4711.pdf", kEarlierPdf);
      handOver(aus + "/Beleg-4711.pdf");
      ProgramOptions options = asUnprivilegedUser();
      options.whileRunning = [&](pid_t pid) { signalled = signalWhenWriting(pid, aus, signal); };
      const ProgramRun run = folder.render({"--output-dir", "aus", "lang.xml"}, options);
      if (!signalled) continue;
      EXPECT_EQ(run.signal, signal);
      EXPECT_EQ(folder.entries("aus"), std::set<std::string>{"Beleg-4711.pdf"});
      EXPECT_EQ(folder.read("aus/Beleg-4711.pdf"), kEarlierPdf);
    }
    EXPECT_TRUE(signalled) << "the PDF was never caught being written";
  }
}

}  // namespace
}  // namespace lumora::test
