#include "platform/opener.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace lumora {

void DesktopOpener::open(const std::string& target, const std::string& workingDirectory) {
  // Everything the child needs is prepared before fork: only async-signal-safe
  // calls run between fork and exec.
  const char* program = "xdg-open";
  char* const argv[] = {const_cast<char*>(program), const_cast<char*>(target.c_str()), nullptr};
  const char* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();

  const pid_t child = ::fork();
  if (child < 0) return;
  if (child == 0) {
    // The intermediate child starts the opener in its own session and leaves
    // at once, so the opener is adopted by init and never becomes a zombie.
    ::setsid();
    if (::fork() == 0) {
      if (directory && ::chdir(directory) != 0) ::_exit(127);
      // Close-on-exec: only the three copies reach the opener, never this one.
      const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
      if (devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        // Opened as one of the three itself (they were closed): keep it open.
        if (devNull <= STDERR_FILENO) ::fcntl(devNull, F_SETFD, 0);
      }
      // Nor does anything else the window holds without close-on-exec.
      ::closefrom(STDERR_FILENO + 1);
      ::execvp(program, argv);
      ::_exit(127);
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace lumora
