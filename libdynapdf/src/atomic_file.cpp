#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <set>
#include <string_view>
#include <utility>

namespace dynapdf {
namespace {

constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Whether `name` is one of our temporary names: the prefix and six of our
// letters (ASCII whatever the locale).
bool isTemporaryName(std::string_view name) {
  constexpr std::string_view kTemporaryPrefix = AtomicFile::kTemporaryPrefix;
  if (name.size() != kTemporaryPrefix.size() + 6 || !name.starts_with(kTemporaryPrefix)) {
    return false;
  }
  return name.find_first_not_of(kNameLetters, kTemporaryPrefix.size()) == std::string_view::npos;
}

std::string randomTemporaryName() {
  unsigned char random[6];
  if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
    // Early in boot the pool may not be ready; a clash only costs a retry.
    static unsigned counter = 0;
    const auto seed = static_cast<unsigned>(::time(nullptr)) ^ (++counter * 2654435761u);
    for (size_t i = 0; i < sizeof random; ++i) random[i] = static_cast<unsigned char>(seed >> i);
  }
  std::string name(AtomicFile::kTemporaryPrefix);
  for (const unsigned char byte : random) name += kNameLetters[byte % kNameLetters.size()];
  return name;
}

// A descriptor on the folder that lists and syncs: `folder` may have been
// opened for lookups only.
Descriptor readableFolder(int folder) {
  return Descriptor(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Makes the new name itself durable. Best effort: the file is complete either way.
void syncFolder(int folder) {
  const Descriptor readable = readableFolder(folder);
  if (readable.valid()) ::fsync(readable.get());
}

// A program killed while it wrote may leave a named temporary file behind.
// Such files are removed on the next write to their folder once they have not
// changed for a while: one still being written changes with every block.
void removeStaleTemporaries(int folder) {
  struct stat identity {};
  if (::fstat(folder, &identity) != 0) return;
  static std::mutex mutex;
  static std::set<std::pair<dev_t, ino_t>> cleaned;  // each folder once per process
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert({identity.st_dev, identity.st_ino}).second) return;
  }
  Descriptor readable = readableFolder(folder);
  DIR* entries = readable.valid() ? ::fdopendir(readable.get()) : nullptr;
  if (entries == nullptr) return;
  readable.release();  // closedir closes it
  const int fd = ::dirfd(entries);
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(entries)) {
    if (!isTemporaryName(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && now - info.st_mtime > AtomicFile::kStaleAfterSeconds) {
      ::unlinkat(fd, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

}  // namespace

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.release();
  }
  return *this;
}

Descriptor::~Descriptor() {
  if (m_fd >= 0) ::close(m_fd);
}

int Descriptor::release() noexcept {
  return std::exchange(m_fd, -1);
}

Descriptor openFolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : path.substr(0, slash);
  Descriptor opened(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A folder we may enter and write but not list still takes the file.
  if (!opened.valid() && errno == EACCES) {
    opened = Descriptor(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  }
  return opened;
}

Descriptor copyFolderDescriptor(int folder) {
  struct stat info {};
  if (folder < 0 || ::fstat(folder, &info) != 0) {
    errno = EBADF;
    return Descriptor();
  }
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    return Descriptor();
  }
  return Descriptor(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
}

AtomicFile::~AtomicFile() {
  if (!m_committed) discard();
}

bool AtomicFile::open() {
  if (m_folder < 0 || m_name.empty() || m_name == "." || m_name == ".." ||
      m_name.find('/') != std::string::npos || m_fd >= 0) {
    return fail(EINVAL);
  }
  removeStaleTemporaries(m_folder);
  // A file that is replaced keeps its permissions (a private receipt stays
  // private). A new one, and one that takes the place of a symbolic link, gets
  // what any new file gets: the system applies the umask to 0666.
  struct stat existing {};
  const bool replacesFile =
      ::fstatat(m_folder, m_name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISREG(existing.st_mode);
  const mode_t mode = replacesFile ? existing.st_mode & 0777 : 0666;
  m_fd = ::openat(m_folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  if (m_fd < 0) {
    // Some file systems cannot make unnamed files: a named one then, which
    // signals must not leave behind.
    if (errno != EOPNOTSUPP && errno != EISDIR) return fail(errno);
    holdSignals();
    if (!createNamedTemporary(mode)) return false;
  }
  // The umask may have taken bits from the kept permissions.
  if (replacesFile && ::fchmod(m_fd, mode) != 0) return fail(errno);
  return true;
}

bool AtomicFile::createNamedTemporary(unsigned mode) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = randomTemporaryName();
    m_fd = ::openat(m_folder, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, mode);
    if (m_fd >= 0) {
      m_temporary = name;
      return true;
    }
    if (errno != EEXIST) return fail(errno);
  }
  return fail(EEXIST);
}

// Gives the finished unnamed file a temporary name, from which it is renamed
// over the target. Signals wait from here until the name is gone again.
bool AtomicFile::nameTheUnnamedFile() {
  holdSignals();
  const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = randomTemporaryName();
    // Linking a descriptor directly needs a privilege; through /proc it does not.
    if (::linkat(m_fd, "", m_folder, name.c_str(), AT_EMPTY_PATH) == 0 ||
        ::linkat(AT_FDCWD, self.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      m_temporary = name;
      return true;
    }
    if (errno != EEXIST) break;
  }
  if (errno != ENOENT) return fail(errno);
  // Neither way is open here (no /proc, say): the bytes go into a named copy.
  const int unnamed = std::exchange(m_fd, -1);
  struct stat info {};
  bool copied = ::fstat(unnamed, &info) == 0 && createNamedTemporary(info.st_mode & 0777) &&
                ::fchmod(m_fd, info.st_mode & 0777) == 0;
  unsigned char block[kBufferSize];
  for (off_t offset = 0; copied;) {
    const ssize_t got = ::pread(unnamed, block, sizeof block, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      copied = got == 0 && ::fsync(m_fd) == 0;
      break;
    }
    copied = writeAll(block, static_cast<size_t>(got));
    offset += got;
  }
  if (!copied) fail(errno);
  ::close(unnamed);
  return copied;
}

void AtomicFile::holdSignals() {
  if (m_signalsHeld) return;
  sigset_t ending;
  sigemptyset(&ending);
  for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&ending, signal);
  m_signalsHeld = ::pthread_sigmask(SIG_BLOCK, &ending, &m_signalsBefore) == 0;
}

void AtomicFile::releaseSignals() {
  if (!m_signalsHeld) return;
  m_signalsHeld = false;
  ::pthread_sigmask(SIG_SETMASK, &m_signalsBefore, nullptr);  // a waiting signal comes now
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
  if (::fsync(m_fd) != 0) return fail(errno);
  if (m_temporary.empty() && !nameTheUnnamedFile()) return false;
  const int closed = ::close(m_fd) == 0 ? 0 : errno;
  m_fd = -1;
  if (closed != 0) return fail(closed);
  if (::renameat(m_folder, m_temporary.c_str(), m_folder, m_name.c_str()) != 0) return fail(errno);
  m_committed = true;
  m_temporary.clear();
  releaseSignals();
  syncFolder(m_folder);
  return true;
}

void AtomicFile::discard() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_temporary.empty()) ::unlinkat(m_folder, m_temporary.c_str(), 0);
  m_temporary.clear();
  releaseSignals();
}

}  // namespace dynapdf
