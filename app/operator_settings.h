#pragma once
// The settings file "lumora1.ini": one line, the operator's name in
// Windows-1252, looked up by its bare name in the current directory. It is
// read at start and written at close.

#include <string>
#include <string_view>

namespace lumora {

inline constexpr char kSettingsFileName[] = "lumora1.ini";

// The first line of the settings file, untrimmed; empty when the file is
// missing or cannot be read (start-up then goes on without a name).
std::string loadOperatorName();

// Replaces the settings file with `name` + CR LF. A file that cannot be
// written is passed over in silence: closing must not fail because of it.
void saveOperatorName(std::string_view name) noexcept;

}  // namespace lumora
