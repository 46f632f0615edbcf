#pragma once
// The settings file "lumora1.ini": one line, the operator's name in
// Windows-1252. It lives in the folder that was current when the program
// started: it is read there at start and written there at close, whatever
// folder the file dialog has made current since.

#include <string>
#include <string_view>

namespace lumora {

inline constexpr char kSettingsFileName[] = "lumora1.ini";

class SettingsFolder {
 public:
  // Holds on to the current directory (open, so that a later change of the
  // current directory does not matter).
  SettingsFolder();
  ~SettingsFolder();
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;

  // The first line of the settings file, untrimmed; empty when the file is
  // missing or cannot be read (start-up then goes on without a name).
  std::string loadOperatorName() const;

  // Replaces the settings file with `name` + CR LF: a new file in the same
  // folder renamed over the old one, so a link of that name is replaced,
  // never followed, and a half-written file never takes its place. A FIFO,
  // device or folder of that name is left alone. Failures are passed over in
  // silence: closing must not fail because of the settings file.
  void saveOperatorName(std::string_view name) const noexcept;

 private:
  int m_folder = -1;
};

}  // namespace lumora
