#include "app/operator_settings.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringDecoder>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/cp1252_text.h"
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

// The folder and the one below it, for the user alone as configuration
// folders are; an existing one stays as it is.
bool makeFolders(const std::string& folder) {
  const std::size_t parentEnd = folder.find_last_of('/');
  if (parentEnd != std::string::npos && parentEnd > 0) {
    const std::string parent = folder.substr(0, parentEnd);
    if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

void reportNotWritten(const std::string& path, const char* reason) {
  std::fprintf(stderr,
               "lumora-eviewer: Die Einstellungsdatei konnte nicht geschrieben werden: %s (%s)\n",
               path.c_str(), reason);
}

void reportNotWritten(const std::string& path, int reason) {
  reportNotWritten(path, std::strerror(reason));
}

std::string readFirstLine(const std::string& path) {
  std::string line;
  TextFileReader file(path);
  file.readLine(line);
  return line;
}

}  // namespace

QByteArray settingsBytesFromName(const QString& name) {
  const std::string cp1252 = toCp1252(name);
  if (fromCp1252(cp1252) == name) return QByteArray::fromStdString(cp1252);
  return name.toUtf8();
}

QString nameFromSettingsBytes(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (!utf8.hasError()) return decoded;
  return fromCp1252(bytes);
}

std::string settingsFolderPath() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome && configHome[0] == '/') return std::string(configHome) + "/lumora-eviewer";
  std::string home;
  if (const char* fromEnvironment = std::getenv("HOME"); fromEnvironment && *fromEnvironment) {
    home = fromEnvironment;
  } else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) {
    home = user->pw_dir;
  }
  return home + "/.config/lumora-eviewer";
}

OperatorSettings::OperatorSettings()
    : m_folder(settingsFolderPath()),
      m_startFolder(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

OperatorSettings::~OperatorSettings() {
  if (m_startFolder >= 0) ::close(m_startFolder);
}

std::string OperatorSettings::filePath() const {
  return m_folder + "/" + kSettingsFileName;
}

QString OperatorSettings::loadOperatorName() const {
  try {
    if (fileExists(filePath())) return nameFromSettingsBytes(readFirstLine(filePath()));
    // An earlier version's file in the start folder. Made at start, so the
    // bare name still means the start-up folder here.
    if (fileExists(kSettingsFileName))
      return nameFromSettingsBytes(readFirstLine(kSettingsFileName));
  } catch (const Exception&) {
    // Unreadable (a folder of that name, no permission): the login group is
    // shown all the same, with an empty name.
  }
  return QString();
}

void OperatorSettings::saveOperatorName(const QString& name) const noexcept {
  try {
    const std::string path = filePath();
    if (!makeFolders(m_folder)) return reportNotWritten(path, errno);
    const int folder = ::open(m_folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return reportNotWritten(path, errno);
    struct Closer {
      int fd;
      ~Closer() { ::close(fd); }
    } closeFolder{folder};

    struct stat old {};
    const bool replacing = ::fstatat(folder, kSettingsFileName, &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!replacing && errno != ENOENT) return reportNotWritten(path, errno);
    if (replacing && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
      return reportNotWritten(path, "keine gewöhnliche Datei");
    // Write protection is respected: a file the user may not write stays,
    // though the folder would let it be replaced.
    if (replacing && S_ISREG(old.st_mode) &&
        ::faccessat(folder, kSettingsFileName, W_OK, AT_EACCESS) != 0)
      return reportNotWritten(path, errno);

    std::string temporary;
    const int file = createTemporary(folder, temporary);
    if (file < 0) return reportNotWritten(path, errno);
    QByteArray line = settingsBytesFromName(name);
    line += "\r\n";
    bool written = writeAll(file, std::string_view(line.constData(), size_t(line.size())));
    int reason = written ? 0 : errno;
    // The replaced file's permissions stay; a new file gets the umask's.
    if (written && replacing && S_ISREG(old.st_mode)) ::fchmod(file, old.st_mode & 07777);
    if (written && ::fsync(file) != 0) {
      written = false;
      reason = errno;
    }
    if (::close(file) != 0 && written) {
      written = false;
      reason = errno;
    }
    if (written) {
      if (::renameat(folder, temporary.c_str(), folder, kSettingsFileName) == 0) return;
      reason = errno;
    }
    ::unlinkat(folder, temporary.c_str(), 0);
    reportNotWritten(path, reason != 0 ? reason : EIO);
  } catch (...) {
    // Out of memory for the line: the window closes all the same.
  }
}

}  // namespace lumora
