#include "cli/batch_report.h"

#include <cstdio>

#include "platform/control_characters.h"

namespace lumora::cli {

BatchReport::BatchReport(std::size_t files, bool onTerminal)
    : m_files(files), m_shown(onTerminal && files > 1) {}

void BatchReport::starting(const std::string& named) {
  ++m_started;
  if (m_shown) {
    std::fprintf(stderr, "[%zu/%zu] %s\n", m_started, m_files,
                 escapeControlCharacters(named).c_str());
  }
}

void BatchReport::finished() const {
  if (!m_shown) return;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
  std::fprintf(stderr, "%s\n", summary(m_started, m_failed, elapsed.count()).c_str());
}

std::string BatchReport::summary(std::size_t files, std::size_t failed, double seconds) {
  char text[160];
  const double perSecond = seconds > 0 ? static_cast<double>(files) / seconds : 0;
  std::snprintf(text, sizeof text, "lumora-render: %zu files%s in %.1f s, %.1f files per second",
                files, failed ? (" (" + std::to_string(failed) + " failed)").c_str() : "", seconds,
                perSecond);
  return text;
}

}  // namespace lumora::cli
