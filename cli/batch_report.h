#pragma once
// What lumora-render tells a person watching a call of several files on a
// terminal: each file as it starts, and at the end how many files took how
// long. Scripts (standard error not a terminal) see none of it.

#include <chrono>
#include <cstddef>
#include <string>

namespace lumora::cli {

class BatchReport {
 public:
  // Reports only for more than one file and when `onTerminal`.
  BatchReport(std::size_t files, bool onTerminal);

  void starting(const std::string& named);
  void failed() { ++m_failed; }
  // "lumora-render: 1000 files (3 failed) in 12.3 s, 81.3 files per second"
  void finished() const;

  // The closing line for `files` files, `failed` of them failed, in `seconds`.
  static std::string summary(std::size_t files, std::size_t failed, double seconds);

 private:
  std::size_t m_files;
  bool m_shown;
  std::size_t m_started = 0;
  std::size_t m_failed = 0;
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

}  // namespace lumora::cli
