// lumora-render as a user runs it: exit status, what it prints, where the
// PDFs land, which paths it takes, and what it loads.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lumora/version.h"
#include "platform/exceptions.h"
#include "tests/render/render_fixture.h"
#include "unprivileged.h"

namespace lumora::test {
namespace {

struct Outcome {
  int status = -1;  // exit status, -1 when killed
  int signal = 0;
  std::string out;
  std::string err;
};

struct Launch {
  std::string program = std::string(LUMORA_BIN_DIR) + "/lumora-render";
  std::vector<std::string> environment;  // "NAME=value", added to the test's own
  std::string standardOutput;            // a file to write to instead of the capture
  int standardOutputFd = -1;             // or a descriptor, such as a pipe
  bool removeDirectory = false;          // remove the start directory before the program runs
};

// Runs lumora-render in `directory` with stdout and stderr caught in files.
Outcome renderIn(const std::string& directory, const std::vector<std::string>& arguments,
                 const Launch& launch = {}) {
  TempDir capture;
  const std::string outFile =
      launch.standardOutput.empty() ? capture.path() + "/out" : launch.standardOutput;
  const std::string errFile = capture.path() + "/err";
  std::vector<std::string> argv = {launch.program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    const int out = launch.standardOutputFd >= 0
                        ? launch.standardOutputFd
                        : ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::chdir(directory.c_str()) != 0) ::_exit(127);
    if (launch.removeDirectory && ::rmdir(directory.c_str()) != 0) ::_exit(127);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    for (const std::string& entry : launch.environment) ::putenv(const_cast<char*>(entry.c_str()));
    ::execv(pointers[0], pointers.data());
    ::_exit(127);
  }
  Outcome outcome;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child) {
    if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  }
  if (launch.standardOutput.empty() && launch.standardOutputFd < 0) {
    outcome.out = capture.read("out");
  }
  outcome.err = capture.read("err");
  return outcome;
}

std::string canonical(const std::string& path) {
  return std::filesystem::canonical(path).string();
}

TEST(LumoraRenderTest, RendersEachFileAndGoesOnAfterAFailure) {
  TempDir folder;
  std::filesystem::create_directory(folder.path() + "/in");
  folder.write("in/a.xml", minimalInvoice("4711"));
  folder.write("in/b.xml", minimalInvoice("4712"));
  // Relative paths are taken from the directory the program starts in.
  const Outcome outcome = renderIn(folder.path(), {"in/a.xml", "in/missing.xml", "in/b.xml"});
  EXPECT_EQ(outcome.status, 1);
  const std::string in = canonical(folder.path() + "/in");
  EXPECT_EQ(outcome.out, in + "/Beleg-4711.pdf\n" + in + "/Beleg-4712.pdf\n");
  EXPECT_EQ(outcome.err, "in/missing.xml: Datei nicht gefunden.\n");
  EXPECT_TRUE(std::filesystem::exists(in + "/Beleg-4711.pdf"));
  EXPECT_TRUE(std::filesystem::exists(in + "/Beleg-4712.pdf"));
}

TEST(LumoraRenderTest, OutputDirReceivesThePdfs) {
  TempDir folder;
  std::filesystem::create_directory(folder.path() + "/out");
  const std::string invoice = folder.write("a.xml", minimalInvoice("4711"));
  const Outcome outcome = renderIn(folder.path(), {"--long-text", "--output-dir", "out", invoice});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  const std::string out = canonical(folder.path() + "/out");
  EXPECT_EQ(outcome.out, out + "/Beleg-4711.pdf\n");
  EXPECT_TRUE(std::filesystem::exists(out + "/Beleg-4711.pdf"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/Beleg-4711.pdf"));
}

TEST(LumoraRenderTest, WrongCommandLinesExitWithTwoHelpAndVersionWithZero) {
  TempDir folder;
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"--bogus", "a.xml"},
                                             {"--output-dir"},
                                             {"--printer", "P", "a.xml"},
                                             {"--output-dir", "nowhere", "a.xml"}}) {
    const Outcome outcome = renderIn(folder.path(), arguments);
    EXPECT_EQ(outcome.status, 2) << testing::PrintToString(arguments);
    EXPECT_TRUE(outcome.err.starts_with("lumora-render: ")) << outcome.err;
    EXPECT_EQ(outcome.out, "");
  }
  const Outcome help = renderIn(folder.path(), {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lumora-render [OPTIONS] INVOICE.xml|INVOICE.pdf..."))
      << help.out;
  const Outcome version = renderIn(folder.path(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("lumora-render ") + kVersion + "\n");
}

// Paths are the system's: "link/.." leads through the link, an empty name
// or a removed current directory is a file error of that file alone.
TEST(LumoraRenderTest, PathsAreResolvedByTheSystem) {
  TempDir folder;
  namespace fs = std::filesystem;
  fs::create_directories(folder.path() + "/a");
  fs::create_directories(folder.path() + "/b/c");
  fs::create_directory_symlink("../b/c", folder.path() + "/a/link");
  folder.write("a/r.xml", minimalInvoice("A"));
  folder.write("b/r.xml", minimalInvoice("B"));
  const std::string b = canonical(folder.path() + "/b");
  {
    const Outcome outcome = renderIn(folder.path(), {"", "a/link/../r.xml"});
    EXPECT_EQ(outcome.signal, 0);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, ": Datei nicht gefunden.\n");
    EXPECT_EQ(outcome.out, b + "/Beleg-B.pdf\n");
    EXPECT_FALSE(fs::exists(folder.path() + "/a/Beleg-A.pdf"));
  }
  {
    fs::create_directory(folder.path() + "/weg");
    Launch vanished;
    vanished.removeDirectory = true;
    const Outcome outcome =
        renderIn(folder.path() + "/weg", {"r.xml", folder.path() + "/b/r.xml"}, vanished);
    EXPECT_EQ(outcome.signal, 0);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "r.xml: Datei nicht gefunden.\n");
    EXPECT_EQ(outcome.out, b + "/Beleg-B.pdf\n");
  }
}

// A host whose output folder is removed, or renamed with a symbolic link to
// another folder put in its place, while the item table is drawn.
class VanishingFolderHost : public FakeHost {
 public:
  std::string outputFolderFor(const std::string& /*invoicePath*/) const override { return folder; }
  bool longTextChecked() const override {
    if (std::exchange(moved, true)) return false;
    if (linkedTo.empty()) {
      std::filesystem::remove_all(folder);
    } else {
      std::filesystem::rename(folder, folder + "-alt");
      std::filesystem::create_directory_symlink(linkedTo, folder);
    }
    return false;
  }
  std::string folder;
  std::string linkedTo;  // empty: the folder is removed
  mutable bool moved = false;
};

// Run by an ordinary user, who may write into every folder involved.
TEST(LumoraRenderTest, PdfGoesIntoTheFolderChosenAtTheStartOrNowhere) {
  for (const bool replacedByLink : {false, true}) {
    KeepCurrentDirectory keep;
    TempDir folder;
    ::chmod(folder.path().c_str(), 0755);
    const std::string chosen = folder.path() + "/weg";
    const std::string elsewhere = folder.path() + "/anderswo";
    for (const std::string& made : {chosen, elsewhere}) {
      std::filesystem::create_directory(made);
      handOver(made);
    }
    handOver(folder.path());  // for the rename
    const std::string invoice = folder.write("r.xml", minimalInvoice("4711", invoiceLines(1)));
    const int outcome = asOrdinaryUser([&] {
      VanishingFolderHost host;
      host.selected = Medium::Pdf;
      host.chosenFile = invoice;
      host.folder = chosen;
      if (replacedByLink) host.linkedTo = elsewhere;
      TextOutput output(host, nullptr);
      RenderRun run(host, output);
      try {
        run.start();
        return 0;
      } catch (const Exception& error) {
        const std::string failed = "Die PDF-Datei konnte nicht geschrieben werden: " + chosen;
        const bool named = std::string(error.what()).starts_with(failed + "/Beleg-4711.pdf");
        return named && host.recorder.calls.empty() ? 1 : 2;  // and no viewer started
      }
    });
    if (replacedByLink) {
      EXPECT_EQ(outcome, 0);
      EXPECT_TRUE(std::filesystem::exists(chosen + "-alt/Beleg-4711.pdf"));
    } else {
      EXPECT_EQ(outcome, 1);
    }
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/Beleg-4711.pdf"));
  }
}

TEST(LumoraRenderTest, LostOutputLinesFailTheCall) {
  TempDir folder;
  const std::string invoice = folder.write("a.xml", minimalInvoice("4711"));
  Launch full;
  full.standardOutput = "/dev/full";
  const Outcome onFullDisk = renderIn(folder.path(), {invoice}, full);
  EXPECT_EQ(onFullDisk.status, 1);
  EXPECT_EQ(onFullDisk.err, "lumora-render: cannot write to standard output: " +
                                std::string(std::strerror(ENOSPC)) + "\n");
  const Outcome helpOnFullDisk = renderIn(folder.path(), {"--help"}, full);
  EXPECT_EQ(helpOnFullDisk.status, 1);

  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  ::close(pipe[0]);  // nobody reads
  Launch closed;
  closed.standardOutputFd = pipe[1];
  const Outcome onClosedPipe = renderIn(folder.path(), {invoice}, closed);
  ::close(pipe[1]);
  EXPECT_EQ(onClosedPipe.signal, 0);
  EXPECT_EQ(onClosedPipe.status, 1);
  EXPECT_EQ(onClosedPipe.err, "lumora-render: cannot write to standard output: " +
                                  std::string(std::strerror(EPIPE)) + "\n");
}

// The PDF medium needs no Qt: every object the dynamic loader maps during a
// whole call, the PDF library loaded at run time included, is listed. A
// call of several files loads the PDF library once.
TEST(LumoraRenderTest, PdfRunsLoadNoQtAndThePdfLibraryOnce) {
  TempDir folder;
  const std::string first = folder.write("a.xml", minimalInvoice("4711"));
  const std::string second = folder.write("b.xml", minimalInvoice("4712"));
  Launch traced;
  traced.environment = {"LD_DEBUG=files"};
  const Outcome outcome = renderIn(folder.path(), {first, second}, traced);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  std::size_t loads = 0;
  for (std::size_t at = 0; (at = outcome.err.find("calling init: ", at)) != std::string::npos;) {
    const std::size_t end = outcome.err.find('\n', at);
    loads += outcome.err.substr(at, end - at).ends_with("/libdynapdf.so");
    at = end;
  }
  EXPECT_EQ(loads, 1u) << outcome.err;
  EXPECT_EQ(outcome.err.find("libQt"), std::string::npos) << outcome.err;
  // qpdf is loaded for PDF invoices only.
  EXPECT_EQ(outcome.err.find("libqpdf"), std::string::npos) << outcome.err;
}

// Without its module the printer medium is refused with the reason, and
// the PDF medium still works.
TEST(LumoraRenderTest, PrinterModuleThatCannotBeLoadedIsReported) {
  TempDir folder;
  const std::string invoice = folder.write("a.xml", minimalInvoice("4711"));
  const std::string program = folder.path() + "/lumora-render";
  std::filesystem::copy_file(std::string(LUMORA_BIN_DIR) + "/lumora-render", program);
  std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  Launch copied;
  copied.program = program;
  const Outcome missing = renderIn(folder.path(), {"--printer", "P", invoice}, copied);
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(missing.err.starts_with(
      "lumora-render: --printer: printing is not available: the printer module "
      "lumora-render-printer.so is not installed (looked in " +
      folder.path()))
      << missing.err;

  folder.write("lumora-render-printer.so", "no shared object");
  const Outcome broken = renderIn(folder.path(), {"--printer", "P", invoice}, copied);
  EXPECT_EQ(broken.status, 2);
  EXPECT_TRUE(broken.err.starts_with("lumora-render: --printer: cannot load the printer module " +
                                     folder.path() + "/lumora-render-printer.so: "))
      << broken.err;
  EXPECT_EQ(broken.out, "");
}

}  // namespace
}  // namespace lumora::test
