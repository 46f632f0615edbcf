#pragma once
// Runs part of a test as an ordinary user, so that permission bits count
// even when the tests run as root (as CI does): in a child process that
// gives up root for the "nobody" user first.

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace lumora::test {

// The user the child becomes: nobody when the test runs as root, else the
// test's own user.
inline uid_t ordinaryUser() {
  if (::geteuid() != 0) return ::geteuid();
  const passwd* nobody = ::getpwnam("nobody");
  return nobody ? nobody->pw_uid : 65534;
}

// Gives `path` to ordinaryUser(), so that user may write in it.
inline void handOver(const std::string& path) {
  if (::geteuid() == 0) (void)::lchown(path.c_str(), ordinaryUser(), static_cast<gid_t>(-1));
}

// Calls `body` as ordinaryUser() in a child process and returns its result
// (0 to 125), or 126 when the user could not be taken on, or 128 + the
// signal that ended the child.
template <typename Body>
int asOrdinaryUser(Body body) {
  const pid_t child = ::fork();
  if (child < 0) return 126;
  if (child == 0) {
    if (::geteuid() == 0) {
      const passwd* nobody = ::getpwuid(ordinaryUser());
      const gid_t group = nobody ? nobody->pw_gid : ordinaryUser();
      if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(ordinaryUser()) != 0) {
        ::_exit(126);
      }
    }
    ::_exit(body());
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return 126;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace lumora::test
