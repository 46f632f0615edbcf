// The desktop opener, with a stand-in "xdg-open" first on PATH that records
// its argument, its working directory and every descriptor it inherited.
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/opener.h"
#include "temp_dir.h"

namespace lumora {
namespace {

using test::TempDir;

class PathScope {
 public:
  explicit PathScope(const std::string& first)
      : m_old(std::getenv("PATH") ? std::getenv("PATH") : "") {
    ::setenv("PATH", (first + ":" + m_old).c_str(), 1);
  }
  ~PathScope() { ::setenv("PATH", m_old.c_str(), 1); }

 private:
  std::string m_old;
};

TEST(DesktopOpenerTest, ViewerGetsTargetFolderAndOnlyTheStandardStreams) {
  TempDir bin;
  TempDir work;
  const std::string record = bin.path() + "/record";
  // Perl (Debian's essential perl-base), as a shell keeps copies of its own.
  bin.write("xdg-open",
            "#!/usr/bin/perl\n"
            "use Cwd;\n"
            "opendir(my $fds, '/proc/self/fd');\n"
            "my @lines = ($ARGV[0], getcwd());\n"
            "for (grep { /^\\d+$/ } readdir($fds)) { push @lines, \"$_ \" . "
            "readlink(\"/proc/self/fd/$_\"); }\n"
            "open(my $out, '>', $ARGV[1] // '" +
                record +
                ".part');\n"
                "print $out join(\"\\n\", @lines), \"\\n\";\n"
                "close($out);\n"
                "rename('" +
                record + ".part', '" + record + "');\n");
  ::chmod((bin.path() + "/xdg-open").c_str(), 0755);
  const PathScope path(bin.path());

  DesktopOpener().open("/tmp/Beleg 1.pdf", work.path());

  // Nothing of the opener is left for this process to reap.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);

  for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::istringstream lines(bin.read("record"));
  std::string target, folder, line;
  ASSERT_TRUE(std::getline(lines, target)) << "the stand-in opener did not run";
  std::getline(lines, folder);
  EXPECT_EQ(target, "/tmp/Beleg 1.pdf");
  EXPECT_EQ(std::filesystem::canonical(folder), std::filesystem::canonical(work.path()));
  std::map<int, std::string> descriptors;
  while (std::getline(lines, line)) {
    const auto blank = line.find(' ');
    descriptors[std::stoi(line.substr(0, blank))] = line.substr(blank + 1);
  }
  for (int standard = 0; standard <= 2; ++standard) EXPECT_EQ(descriptors[standard], "/dev/null");
  for (const auto& [descriptor, file] : descriptors) {
    if (descriptor > 2) {
      EXPECT_NE(file, "/dev/null") << "descriptor " << descriptor << " leaked";
    }
  }
}

}  // namespace
}  // namespace lumora
