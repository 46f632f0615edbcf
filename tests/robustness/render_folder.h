#pragma once
// A folder of invoices that lumora-render renders into, for tests that look
// at what a run leaves behind: the PDF, no PDF, and never a stray file.

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "program_run.h"
#include "temp_dir.h"

namespace lumora::test {

class RenderFolder {
 public:
  // Others may enter the folder, so that an unprivileged user can read the
  // invoices in it.
  RenderFolder() { ::chmod(m_dir.path().c_str(), 0755); }

  const std::string& path() const { return m_dir.path(); }
  std::string file(const std::string& name) const { return path() + "/" + name; }
  std::string write(const std::string& name, std::string_view bytes) const {
    return m_dir.write(name, bytes);
  }
  std::string read(const std::string& name) const { return m_dir.read(name); }

  // The names in the folder (or in one of its subfolders).
  std::set<std::string> entries(const std::string& subfolder = "") const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file(subfolder))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  // lumora-render with these arguments, started in this folder.
  ProgramRun render(std::vector<std::string> arguments, ProgramOptions options = {}) const {
    arguments.insert(arguments.begin(), lumoraRender());
    if (options.workingDirectory.empty()) options.workingDirectory = path();
    return runProgram(arguments, options);
  }

 private:
  TempDir m_dir;
};

}  // namespace lumora::test
