#include "app/operator_settings.h"

#include "platform/exceptions.h"
#include "platform/text_file.h"

namespace lumora {

std::string loadOperatorName() {
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

void saveOperatorName(std::string_view name) noexcept {
  try {
    writeTextLine(kSettingsFileName, name);
  } catch (...) {
    // Read-only folder or file: the window closes all the same.
  }
}

}  // namespace lumora
