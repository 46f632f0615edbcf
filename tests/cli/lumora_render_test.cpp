// lumora-render as a user runs it: exit status, what it prints, and where the
// PDFs land.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/render/render_fixture.h"

namespace lumora::test {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs lumora-render in `directory` with stdout and stderr caught in files.
Outcome renderIn(const std::string& directory, const std::vector<std::string>& arguments) {
  TempDir capture;
  const std::string outFile = capture.path() + "/out";
  const std::string errFile = capture.path() + "/err";
  std::vector<std::string> argv = {std::string(LUMORA_BIN_DIR) + "/lumora-render"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::chdir(directory.c_str()) != 0) ::_exit(127);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execv(pointers[0], pointers.data());
    ::_exit(127);
  }
  Outcome outcome;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    outcome.status = WEXITSTATUS(status);
  }
  outcome.out = capture.read("out");
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

TEST(LumoraRenderTest, WrongCommandLinesExitWithTwoAndHelpWithZero) {
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
  EXPECT_TRUE(help.out.starts_with("Usage: lumora-render [OPTIONS] INVOICE.xml...")) << help.out;
}

}  // namespace
}  // namespace lumora::test
