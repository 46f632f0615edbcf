#include "program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace lumora::test {
namespace {

// In the child after fork: only async-signal-safe calls until exec.
[[noreturn]] void execChild(const std::vector<char*>& argv, const std::vector<char*>& envp,
                            const ProgramOptions& options, gid_t group, int outPipe, int errPipe) {
  if (::dup2(outPipe, STDOUT_FILENO) < 0 || ::dup2(errPipe, STDERR_FILENO) < 0) ::_exit(126);
  if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0) {
    ::_exit(126);
  }
  if (options.withoutProc && (::unshare(CLONE_NEWNS) != 0 ||
                              ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                              ::mount("tmpfs", "/proc", "tmpfs", 0, "size=16k") != 0)) {
    ::_exit(125);
  }
  if (options.umask) ::umask(*options.umask);
  if (options.user) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(*options.user) != 0) {
      ::_exit(126);
    }
  }
  ::execve(argv[0], argv.data(), envp.data());
  ::_exit(127);
}

void drain(int (&fds)[2], std::string& out, std::string& err) {
  pollfd watched[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
  std::string* targets[2] = {&out, &err};
  int open = 2;
  char buffer[65536];
  while (open > 0) {
    if (::poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (watched[i].fd < 0 || watched[i].revents == 0) continue;
      const ssize_t got = ::read(watched[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        targets[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(watched[i].fd);
        watched[i].fd = -1;
        --open;
      }
    }
  }
}

// A terminal for the program's standard error: ends[1] for the program,
// ends[0] to read what it shows.
bool terminalPair(int (&ends)[2]) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return false;
  const char* name =
      ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : nullptr;
  const int slave = name ? ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  if (slave < 0) {
    ::close(master);
    return false;
  }
  ends[0] = master;
  ends[1] = slave;
  return true;
}

}  // namespace

ProgramRun runProgram(const std::vector<std::string>& argv, const ProgramOptions& options) {
  ProgramRun run;
  std::vector<std::string> arguments = argv;
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  std::vector<std::string> environment = environmentWith(options.environment);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  gid_t group = 0;
  if (options.user) {
    const passwd* entry = ::getpwuid(*options.user);
    group = entry ? entry->pw_gid : static_cast<gid_t>(*options.user);
  }

  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) return run;
  if (!(options.errorsOnTerminal ? terminalPair(errPipe) : ::pipe2(errPipe, O_CLOEXEC) == 0)) {
    ::close(outPipe[0]);
    ::close(outPipe[1]);
    return run;
  }
  const pid_t child = ::fork();
  if (child == 0) execChild(pointers, envp, options, group, outPipe[1], errPipe[1]);
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  int readEnds[2] = {outPipe[0], errPipe[0]};
  if (child < 0) {
    ::close(readEnds[0]);
    ::close(readEnds[1]);
    return run;
  }
  if (options.whileRunning) options.whileRunning(child);
  drain(readEnds, run.out, run.err);

  int status = 0;
  rusage usage{};
  while (::wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) return run;
  }
  if (options.errorsOnTerminal) std::erase(run.err, '\r');  // the terminal's line ends
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  run.peakMemoryKiB = usage.ru_maxrss;
  return run;
}

std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
  std::vector<std::string> environment;
  const auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  for (char** entry = environ; *entry; ++entry) {
    const std::string existing = *entry;
    const bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::string& e) {
      return nameOf(e) == nameOf(existing);
    });
    if (!replaced) environment.push_back(existing);
  }
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

std::string lumoraRender() {
  return std::string(LUMORA_BIN_DIR) + "/lumora-render";
}

std::optional<uid_t> unprivilegedUser() {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* nobody = ::getpwnam("nobody");
  return nobody ? std::optional<uid_t>(nobody->pw_uid) : std::optional<uid_t>(65534);
}

ProgramOptions asUnprivilegedUser() {
  ProgramOptions options;
  options.user = unprivilegedUser();
  return options;
}

std::optional<std::string> unprivilegedRunImpossible() {
  if (!unprivilegedUser()) return std::nullopt;
  const ProgramRun run = runProgram({lumoraRender(), "--help"}, asUnprivilegedUser());
  if (run.exitCode == 0) return std::nullopt;
  return "lumora-render does not run as an unprivileged user here (is its folder readable?)";
}

}  // namespace lumora::test
