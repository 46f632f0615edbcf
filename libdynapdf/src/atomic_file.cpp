#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <mutex>
#include <set>
#include <string_view>

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

// Whether `name` is one of our temporary names: the prefix and six of the
// characters mkstemp chooses from.
bool isTemporaryName(std::string_view name) {
  constexpr std::string_view kTemporaryPrefix = AtomicFile::kTemporaryPrefix;
  if (name.size() != kTemporaryPrefix.size() + 6 || !name.starts_with(kTemporaryPrefix)) {
    return false;
  }
  return std::all_of(name.begin() + kTemporaryPrefix.size(), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

// A program that crashed while writing leaves its temporary file behind.
// Such files are removed on the next write to their folder once they have
// not changed for a while: a temporary file still being written by another
// program changes with every block.
void AtomicFile::removeStaleTemporaries(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> cleaned;  // each folder once per process
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert(folder).second) return;
  }
  DIR* entries = ::opendir(folder.c_str());
  if (entries == nullptr) return;
  const int fd = ::dirfd(entries);
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(entries)) {
    if (!isTemporaryName(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && now - info.st_mtime > kStaleAfterSeconds) {
      ::unlinkat(fd, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

AtomicFile::~AtomicFile() {
  if (!m_committed) discard();
}

bool AtomicFile::open() {
  if (m_target.empty() || m_fd >= 0) return fail(EINVAL);
  const std::string folder = folderOf(m_target);
  removeStaleTemporaries(folder);
  // A short name of its own, so a target whose name is already as long as
  // the file system allows still gets a temporary file.
  std::string name = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  m_fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (m_fd < 0) return fail(errno);
  m_temporary = name;
  // mkstemp makes the file private. A file that is replaced keeps its
  // permissions (a private receipt stays private); a new one gets those any
  // newly created file would have.
  struct stat existing {};
  const mode_t mode = ::stat(m_target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
                          ? existing.st_mode & 0777
                          : 0666 & ~currentUmask();
  if (::fchmod(m_fd, mode) != 0) return fail(errno);
  return true;
}

bool AtomicFile::fail(int error) {
  m_failed = true;
  if (m_error == 0) m_error = error;
  return false;
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
      return fail(errno);
    }
    data += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

bool AtomicFile::commit() {
  if (m_failed || m_fd < 0 || !flush()) return fail(EIO);
  const int flushed = ::fsync(m_fd) == 0 ? 0 : errno;
  const int closed = ::close(m_fd) == 0 ? 0 : errno;
  m_fd = -1;
  if (flushed != 0) return fail(flushed);
  if (closed != 0) return fail(closed);
  if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) return fail(errno);
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
