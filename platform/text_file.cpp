#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/exceptions.h"
#include "platform/regular_file.h"

namespace lumora {
namespace {

constexpr std::size_t kLargestRead = 256 * 1024;
constexpr char kEndOfFile = 26;

}  // namespace

std::string inOutErrorMessage(int errorCode) {
  switch (errorCode) {
    case ENOENT:
      return "Datei nicht gefunden";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
      return "Ungültiger Dateiname";
    case EMFILE:
    case ENFILE:
      return "Zu viele geöffnete Dateien";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return "Dateizugriff verweigert";
    default:
      // The number alone tells a person nothing; the system's reason, in
      // the user's language, follows in brackets.
      return "E/A-Fehler " + std::to_string(errorCode) + " (" + systemErrorText(errorCode) + ")";
  }
}

void throwInOutError(int errorCode) {
  throw InOutError(inOutErrorMessage(errorCode), errorCode);
}

namespace {}  // namespace

TextFileReader::TextFileReader(const std::string& path)
    : m_buffer(std::make_unique_for_overwrite<char[]>(kFirstReadSize)), m_capacity(kFirstReadSize) {
  m_fd = openRegularFile(path);
}

ByteFileReader::ByteFileReader(const std::string& path) {
  m_fd = openRegularFile(path);
}

ByteFileReader::~ByteFileReader() {
  ::close(m_fd);
}

std::size_t ByteFileReader::read(char* into, std::size_t most) {
  ssize_t got;
  do {
    got = ::read(m_fd, into, most);
  } while (got < 0 && errno == EINTR);
  if (got < 0) throwInOutError(errno);
  return static_cast<std::size_t>(got);
}

TextFileReader::~TextFileReader() {
  if (m_fd >= 0) ::close(m_fd);
}

// Keeps the unread bytes, reads the next block behind them and cuts the data
// at a byte 26. Returns false when nothing new arrived.
bool TextFileReader::fill() {
  if (m_noMoreInput) return false;
  m_cacheValid = false;
  if (m_pos > 0) {
    std::memmove(m_buffer.get(), m_buffer.get() + m_pos, m_end - m_pos);
    m_end -= m_pos;
    m_bufferStart += m_pos;
    m_pos = 0;
  }
  // Reads grow from small to large as the reading goes on; beyond the
  // largest read the buffer grows only when a very long marker keeps it full.
  if (m_end == m_capacity || (m_capacity < m_end + m_readSize && m_capacity < kLargestRead)) {
    auto larger = std::make_unique_for_overwrite<char[]>(m_capacity * 2);
    std::memcpy(larger.get(), m_buffer.get(), m_end);
    m_buffer = std::move(larger);
    m_capacity *= 2;
  }
  const std::size_t room = std::min(m_capacity - m_end, m_readSize);
  m_readSize = std::min(m_readSize * 2, kLargestRead);
  ssize_t got;
  do {
    got = ::pread(m_fd, m_buffer.get() + m_end, room, static_cast<off_t>(m_bufferStart + m_end));
  } while (got < 0 && errno == EINTR);
  if (got < 0) throwInOutError(errno);
  if (got == 0) {
    m_noMoreInput = true;
    return false;
  }
  char* fresh = m_buffer.get() + m_end;
  if (auto* stop =
          static_cast<char*>(std::memchr(fresh, kEndOfFile, static_cast<std::size_t>(got)))) {
    got = stop - fresh;
    m_noMoreInput = true;
  }
  m_end += static_cast<std::size_t>(got);
  return got > 0;
}

// Position of the first CR or LF at or after `from`, or m_end.
std::size_t TextFileReader::lineEndFrom(std::size_t from) {
  const char* base = m_buffer.get();
  auto find = [&](char c) {
    const void* hit = std::memchr(base + from, c, m_end - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : m_end;
  };
  if (!m_cacheValid) {
    m_nextCr = m_nextLf = from;
    m_cacheValid = true;
    m_nextCr = find('\r');
    m_nextLf = find('\n');
  } else {
    if (m_nextCr < from) m_nextCr = find('\r');
    if (m_nextLf < from) m_nextLf = find('\n');
  }
  return m_nextCr < m_nextLf ? m_nextCr : m_nextLf;
}

bool TextFileReader::readLine(std::string& line) {
  line.clear();
  if (m_pos == m_end && !fill()) return false;
  for (;;) {
    const std::size_t stop = lineEndFrom(m_pos);
    if (stop < m_end) {
      line.append(m_buffer.get() + m_pos, stop - m_pos);
      const char ending = m_buffer[stop];
      m_pos = stop + 1;
      if (ending == '\r') {
        if (m_pos == m_end) fill();
        if (m_pos < m_end && m_buffer[m_pos] == '\n') ++m_pos;
      }
      return true;
    }
    line.append(m_buffer.get() + m_pos, m_end - m_pos);
    m_pos = m_end;
    if (!fill()) return true;  // the last line needs no line end
  }
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return path.find('\0') == std::string::npos && ::stat(path.c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

void writeTextLine(const std::string& path, std::string_view line) {
  if (path.find('\0') != std::string::npos) throwInOutError(EINVAL);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throwInOutError(errno);
  std::string content(line);
  content += "\r\n";
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) {
      const int error = errno;
      ::close(fd);
      throwInOutError(error);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0) throwInOutError(errno);
}

}  // namespace lumora
