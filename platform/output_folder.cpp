#include "platform/output_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/current_directory.h"

namespace lumora {

OutputFolder::OutputFolder(OutputFolder&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_fd(std::exchange(other.m_fd, -1)),
      m_openError(other.m_openError) {}

OutputFolder& OutputFolder::operator=(OutputFolder&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_path = std::move(other.m_path);
    m_fd = std::exchange(other.m_fd, -1);
    m_openError = other.m_openError;
  }
  return *this;
}

OutputFolder::~OutputFolder() {
  if (m_fd >= 0) ::close(m_fd);
}

OutputFolder OutputFolder::current() {
  OutputFolder folder;
  folder.m_path = GetCurrentDirectoryA();
  folder.m_fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // A folder that may be entered and written but not listed still takes files.
  if (folder.m_fd < 0 && errno == EACCES) {
    folder.m_fd = ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
  }
  if (folder.m_fd < 0) folder.m_openError = errno;
  return folder;
}

bool OutputFolder::writeProtected(const std::string& name) const {
  struct stat info {};
  if (m_fd < 0 || ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(info.st_mode)) {
    return false;
  }
  return ::faccessat(m_fd, name.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

}  // namespace lumora
