#include "app/operator_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/exceptions.h"
#include "platform/text_file.h"

namespace lumora {

namespace {

bool writeAll(int file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(file, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file beside the settings file, under a name no other file has.
int createTemporary(int folder, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = std::string(".") + kSettingsFileName + "." + std::to_string(::getpid()) + "." +
           std::to_string(attempt);
    const int file =
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST) return file;
  }
  return -1;
}

}  // namespace

SettingsFolder::SettingsFolder() : m_folder(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

SettingsFolder::~SettingsFolder() {
  if (m_folder >= 0) ::close(m_folder);
}

std::string SettingsFolder::loadOperatorName() const {
  // Made at start, so the bare name still means the start-up folder here.
  std::string name;
  if (!fileExists(kSettingsFileName)) return name;
  try {
    TextFileReader file(kSettingsFileName);
    file.readLine(name);
  } catch (const Exception&) {
    // Unreadable (a folder of that name, no permission): the login group is
    // shown all the same, with an empty name.
    name.clear();
  }
  return name;
}

void SettingsFolder::saveOperatorName(std::string_view name) const noexcept {
  if (m_folder < 0) return;
  struct stat old {};
  const bool replacing = ::fstatat(m_folder, kSettingsFileName, &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (!replacing && errno != ENOENT) return;
  if (replacing && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) return;

  try {
    std::string temporary;
    const int file = createTemporary(m_folder, temporary);
    if (file < 0) return;
    std::string line(name);
    line += "\r\n";
    bool written = writeAll(file, line);
    // The replaced file's permissions stay; a new file gets the umask's.
    if (written && replacing && S_ISREG(old.st_mode)) ::fchmod(file, old.st_mode & 07777);
    written = written && ::fsync(file) == 0;
    written = ::close(file) == 0 && written;
    if (!written || ::renameat(m_folder, temporary.c_str(), m_folder, kSettingsFileName) != 0)
      ::unlinkat(m_folder, temporary.c_str(), 0);
  } catch (...) {
    // Out of memory for the line: the window closes all the same.
  }
}

}  // namespace lumora
