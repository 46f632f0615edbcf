// What a test folder holds, to prove that no temporary file was left behind.
#ifndef LUMORA_TESTS_FOLDER_ENTRIES_H
#define LUMORA_TESTS_FOLDER_ENTRIES_H

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace lumora::test {

// The names of the folder's entries, sorted.
inline std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lumora::test

#endif
