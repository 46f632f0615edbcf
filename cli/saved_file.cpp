#include "cli/saved_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/exceptions.h"

namespace lumora::cli {
namespace {

constexpr std::size_t kLongestName = 255;
constexpr std::size_t kLongestExtension = 16;

bool unsafeByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
         c == '"' || c == '<' || c == '>' || c == '|';
}

// The longest start of `text` within `bytes` that ends on a character boundary.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}

[[noreturn]] void throwNotSaved(const std::string& path, int error) {
  throw Exception("Die Datei konnte nicht geschrieben werden: " + path + " (" +
                  systemErrorText(error) + ")");
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes into the open `fd`, the file `written`, and closes it; on failure
// removes that file and reports `path`.
void fillAndClose(int fd, const std::string& written, const std::string& path,
                  std::string_view bytes) {
  errno = 0;
  int error = writeAll(fd, bytes) ? 0 : (errno ? errno : EIO);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0) return;
  ::unlink(written.c_str());
  throwNotSaved(path, error);
}

}  // namespace

std::string safeFileName(std::string_view name, std::string_view fallback) {
  if (name.empty()) name = fallback;
  std::string safe(name);
  for (char& c : safe) {
    if (unsafeByte(static_cast<unsigned char>(c))) c = '_';
  }
  if (safe.front() == '.') safe.front() = '_';
  if (safe.size() <= kLongestName) return safe;
  const std::size_t dot = safe.rfind('.');
  const std::string extension =
      dot != std::string::npos && safe.size() - dot <= kLongestExtension ? safe.substr(dot) : "";
  const std::string_view stem = std::string_view(safe).substr(0, safe.size() - extension.size());
  return std::string(utf8Prefix(stem, kLongestName - extension.size())) + extension;
}

std::string saveFile(const std::string& folder, const std::string& fileName, std::string_view bytes,
                     bool overwrite) {
  const std::string path = folder + "/" + fileName;
  if (!overwrite) {
    // O_EXCL: a file or link that is there, or appears meanwhile, stays.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
      throw Exception(path + " exists; not replaced (--overwrite replaces it)");
    }
    if (fd < 0) throwNotSaved(path, errno);
    fillAndClose(fd, path, path, bytes);
    return path;
  }
  // Replaced at once: a reader of the old file never sees half of the new.
  std::random_device random;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = folder + "/.lumora-" + std::to_string(random()) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) throwNotSaved(path, errno);
  }
  if (fd < 0) throwNotSaved(path, EEXIST);
  fillAndClose(fd, temporary, path, bytes);
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throwNotSaved(path, error);
  }
  return path;
}

}  // namespace lumora::cli
