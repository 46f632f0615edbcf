// The settings file in its XDG folder: names in both encodings, the earlier
// versions' file in the start folder, and write protection. Saving runs in a
// child process as an unprivileged user, so that permission bits count even
// when the tests run as root.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/operator_settings.h"
#include "temp_dir.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

// A start folder and a configuration home in a folder the test's user may
// work in; as root, that user is "nobody".
class SettingsPlace {
 public:
  SettingsPlace() {
    if (::geteuid() == 0) {
      const passwd* nobody = ::getpwnam("nobody");
      m_uid = nobody ? nobody->pw_uid : 65534;
      m_gid = nobody ? nobody->pw_gid : 65534;
    }
    fs::create_directories(start());
    fs::create_directories(configHome());
    ::chmod(m_dir.path().c_str(), 0755);
    for (const std::string& folder : {start(), configHome()}) ::chown(folder.c_str(), m_uid, m_gid);
  }
  std::string start() const { return m_dir.path() + "/start"; }
  std::string configHome() const { return m_dir.path() + "/config"; }
  std::string configFile() const { return configHome() + "/lumora-eviewer/lumora1.ini"; }
  std::string read(const std::string& path) const {
    return m_dir.read(fs::relative(path, m_dir.path()).string());
  }

  // Runs `work` in a child as the test's user, in the start folder, with the
  // configuration home set; returns what it wrote on standard error.
  std::string runAsUser(const std::function<void()>& work) const {
    const std::string errors = m_dir.path() + "/stderr";
    const pid_t child = ::fork();
    if (child == 0) {
      if (!std::freopen(errors.c_str(), "w", stderr)) ::_exit(125);
      if (::geteuid() == 0 &&
          (::setgroups(0, nullptr) != 0 || ::setgid(m_gid) != 0 || ::setuid(m_uid) != 0))
        ::_exit(126);
      if (::chdir(start().c_str()) != 0) ::_exit(125);
      ::setenv("XDG_CONFIG_HOME", configHome().c_str(), 1);
      work();
      std::fflush(stderr);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return m_dir.read("stderr");
  }

  void chownToUser(const std::string& path) const { ::chown(path.c_str(), m_uid, m_gid); }

 private:
  TempDir m_dir;
  uid_t m_uid = ::geteuid();
  gid_t m_gid = ::getegid();
};

// The earlier versions' file and the settings folder winning over it are
// tested through the window (window_shell_test.cpp).
TEST(OperatorSettingsTest, NamesRoundTripInWindows1252WhereItHoldsThemElseInUtf8) {
  struct Row {
    const char* name;
    std::string bytes;
  };
  for (const Row& row : {Row{"Müller",
                             "M\xFC"
                             "ller\r\n"},
                         Row{"  ", "  \r\n"},
                         Row{"Łódź",
                             "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA\r\n"},
                         Row{"Ayşe Yılmaz",
                             "Ay\xC5\x9F"
                             "e Y\xC4\xB1lmaz\r\n"},
                         Row{"Ελλάδα", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1\r\n"},
                         Row{"Москва", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0\r\n"}}) {
    SCOPED_TRACE(row.name);
    SettingsPlace place;
    ::setenv("XDG_CONFIG_HOME", place.configHome().c_str(), 1);
    OperatorSettings().saveOperatorName(QString::fromUtf8(row.name));
    EXPECT_EQ(place.read(place.configFile()), row.bytes);
    EXPECT_EQ(OperatorSettings().loadOperatorName(), QString::fromUtf8(row.name));
    // The folder is the user's alone, as configuration folders are.
    EXPECT_EQ(fs::status(fs::path(place.configFile()).parent_path()).permissions(),
              fs::perms::owner_all);
  }
}

TEST(OperatorSettingsTest, WriteProtectedFileOrFolderStaysAndTheFailureIsReported) {
  for (const bool protectFile : {true, false}) {
    SCOPED_TRACE(protectFile ? "0444 file" : "folder without write permission");
    SettingsPlace place;
    const std::string folder = place.configHome() + "/lumora-eviewer";
    fs::create_directory(folder);
    std::ofstream(place.configFile(), std::ios::binary) << "Alt\r\n";
    place.chownToUser(folder);
    place.chownToUser(place.configFile());
    ::chmod((protectFile ? place.configFile() : folder).c_str(), protectFile ? 0444 : 0555);

    const std::string errors = place.runAsUser([] { OperatorSettings().saveOperatorName("Neu"); });
    EXPECT_EQ(place.read(place.configFile()), "Alt\r\n");
    EXPECT_TRUE(errors.starts_with(
        "lumora-eviewer: Die Einstellungsdatei konnte nicht geschrieben werden: " +
        place.configFile() + " ("))
        << errors;
    EXPECT_EQ(fs::status(place.configFile()).permissions(),
              protectFile ? fs::perms(0444) : fs::perms(0644));
    ::chmod(folder.c_str(), 0755);
  }
}

}  // namespace
}  // namespace lumora::test
