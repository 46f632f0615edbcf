#pragma once
// A private folder for one fuzzer process, made on first use and emptied at
// exit, where the targets put the invoice files they read.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumora::fuzz {

inline const std::string& scratchFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumora-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  static const struct Cleanup {
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    }
  } cleanup;
  return folder;
}

// Writes `bytes` to `name` in the scratch folder and returns its path.
inline std::string writeScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = scratchFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::abort();
  }
  std::fclose(file);
  return path;
}

}  // namespace lumora::fuzz
