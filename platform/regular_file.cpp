#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/text_file.h"

namespace lumora {

int openRegularFile(const std::string& path) {
  if (path.find('\0') != std::string::npos) throwInOutError(EINVAL);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throwInOutError(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
    ::close(fd);
    throwInOutError(error);
  }
  // O_NONBLOCK stays set: it does not change how a regular file is read.
  return fd;
}

std::FILE* openRegularFileStream(const std::string& path) {
  const int fd = openRegularFile(path);
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    const int error = errno;
    ::close(fd);
    throwInOutError(error);
  }
  return file;
}

bool sameFile(const std::string& first, const std::string& second) {
  struct stat a {};
  struct stat b {};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace lumora
