#pragma once
// The settings file "lumora1.ini": one line, the operator's name. It lives in
// $XDG_CONFIG_HOME/lumora-eviewer/ (~/.config/lumora-eviewer/ by default), so
// a start from the desktop's menu keeps it out of the home folder. Until that
// file exists, a "lumora1.ini" in the folder that was current at start is
// read instead, so a setup of an earlier version keeps its name; the next
// close writes it into the new place.
//
// A name that Windows-1252 holds is stored in it, as it always was; any other
// name is stored as UTF-8. Reading takes UTF-8 and falls back to Windows-1252.

#include <QByteArray>
#include <QString>
#include <string>

namespace lumora {

inline constexpr char kSettingsFileName[] = "lumora1.ini";

// The settings line's bytes for a name, and the name in a line's bytes.
QByteArray settingsBytesFromName(const QString& name);
QString nameFromSettingsBytes(const std::string& bytes);

// The folder of the settings file: $XDG_CONFIG_HOME/lumora-eviewer when that
// variable holds an absolute path, else $HOME/.config/lumora-eviewer.
std::string settingsFolderPath();

class OperatorSettings {
 public:
  // Takes the folder of the settings file from the environment and holds on
  // to the current directory (open, so that a later change of the current
  // directory does not matter).
  OperatorSettings();
  ~OperatorSettings();
  OperatorSettings(const OperatorSettings&) = delete;
  OperatorSettings& operator=(const OperatorSettings&) = delete;

  // The first line of the settings file, untrimmed; empty when no file is
  // there or it cannot be read (start-up then goes on without a name).
  QString loadOperatorName() const;

  // Replaces the settings file with the name + CR LF: a new file in the same
  // folder renamed over the old one, so a link of that name is replaced,
  // never followed, and a half-written file never takes its place. A file
  // the user may not write, a FIFO, device or folder of that name is left
  // alone. Closing must not fail because of the settings file: a failure is
  // only reported on standard error.
  void saveOperatorName(const QString& name) const noexcept;

  // Where the settings file is written.
  std::string filePath() const;

 private:
  std::string m_folder;
  int m_startFolder = -1;
};

}  // namespace lumora
