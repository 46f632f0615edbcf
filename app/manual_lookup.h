#pragma once
// Where Dokumentation -> Dokumentation finds the manual "Lumora e-viewer.pdf":
// in the documentation installed beside the program (<prefix>/share/doc/
// lumora-eviewer/ seen from <prefix>/bin), in the folder the package puts it
// into, or in doc/ of the build tree beside bin/.

#include <optional>
#include <string>
#include <vector>

namespace lumora {

inline constexpr char kManualFileName[] = "Lumora e-viewer.pdf";

// The folders looked in, in order, for a program in `programFolder`.
std::vector<std::string> manualFolders(const std::string& programFolder);

// The manual's path, or nothing when it is in none of those folders.
std::optional<std::string> findManual(const std::string& programFolder);

}  // namespace lumora
