#pragma once
// Runs a program the way a user or a script would, without a shell, and
// keeps what a test needs to judge the outcome: exit status or the signal
// that ended it, both output streams, and the peak memory. Optionally as
// another user, so that permission bits count even when the tests run as
// root.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumora::test {

struct ProgramRun {
  int exitCode = -1;  // -1 when the program did not exit normally
  int signal = 0;     // the signal that ended it, 0 when none did
  std::string out;    // standard output
  std::string err;    // standard error
  long peakMemoryKiB = 0;
};

struct ProgramOptions {
  std::string workingDirectory;          // empty: the test's own
  std::optional<uid_t> user;             // run as this user and its group (only as root)
  std::vector<std::string> environment;  // "NAME=value", added to the test's own
  std::optional<mode_t> umask;           // the program's umask; unset: the test's own
  // An empty /proc for the program (only as root, in a mount namespace of its
  // own); the program ends with status 125 when that cannot be had.
  bool withoutProc = false;
  // Standard error on a terminal (its line ends read back as "\n").
  bool errorsOnTerminal = false;
  // Called with the program's process id while it runs, before its output is read.
  std::function<void(pid_t)> whileRunning;
};

ProgramRun runProgram(const std::vector<std::string>& argv, const ProgramOptions& options = {});

// The test's environment with `extra` ("NAME=value") added or replacing
// entries of the same name.
std::vector<std::string> environmentWith(const std::vector<std::string>& extra);

// The built lumora-render.
std::string lumoraRender();

// Options to run as unprivilegedUser().
ProgramOptions asUnprivilegedUser();

// Why lumora-render cannot run as unprivilegedUser() here (a build folder
// that user may not enter, say); nothing when it can.
std::optional<std::string> unprivilegedRunImpossible();

// An unprivileged user to run as, so that permission bits take effect: the
// "nobody" user when the tests run as root, nothing otherwise.
std::optional<uid_t> unprivilegedUser();

}  // namespace lumora::test
