#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace dynapdf {
namespace {

// The process's umask without changing it (umask() would, for a moment, for
// every thread). Falls back to the common 022 on kernels without the field.
mode_t currentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      try {
        return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
      } catch (...) {
        break;
      }
    }
  }
  return 022;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable. Best effort: the file is complete either way.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::~AtomicFile() {
  if (!m_committed) discard();
}

bool AtomicFile::open() {
  if (m_target.empty() || m_fd >= 0) return false;
  // A short name of its own, so a target whose name is already as long as
  // the file system allows still gets a temporary file.
  std::string name = folderOf(m_target) + "/.dynapdf-XXXXXX";
  m_fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (m_fd < 0) {
    m_failed = true;
    return false;
  }
  m_temporary = name;
  // mkstemp makes the file private; the finished file gets the permissions
  // any newly created file would have.
  if (::fchmod(m_fd, 0666 & ~currentUmask()) != 0) {
    m_failed = true;
    return false;
  }
  return true;
}

bool AtomicFile::write(const unsigned char* data, size_t length) {
  if (m_failed || m_fd < 0) return false;
  // cairo hands over many small pieces; they go to the file in large blocks.
  if (m_buffer.size() + length > kBufferSize && !flush()) return false;
  if (length >= kBufferSize) return writeAll(data, length);
  m_buffer.insert(m_buffer.end(), data, data + length);
  return true;
}

bool AtomicFile::flush() {
  const bool written = writeAll(m_buffer.data(), m_buffer.size());
  m_buffer.clear();
  return written;
}

bool AtomicFile::writeAll(const unsigned char* data, size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(m_fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      m_failed = true;
      return false;
    }
    data += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

bool AtomicFile::commit() {
  if (m_failed || m_fd < 0 || !flush()) return false;
  const bool flushed = ::fsync(m_fd) == 0;
  const bool closed = ::close(m_fd) == 0;
  m_fd = -1;
  if (!flushed || !closed || ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
    m_failed = true;
    return false;
  }
  m_committed = true;
  syncFolder(folderOf(m_target));
  return true;
}

void AtomicFile::discard() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

}  // namespace dynapdf
