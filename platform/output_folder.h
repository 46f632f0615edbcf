#pragma once
// The folder a render run writes its PDF into, held open from the run's
// start: the PDF goes into this folder or nowhere, even when the folder is
// renamed meanwhile and a symbolic link takes its name.

#include <string>

namespace lumora {

class OutputFolder {
 public:
  OutputFolder() = default;
  OutputFolder(OutputFolder&& other) noexcept;
  OutputFolder& operator=(OutputFolder&& other) noexcept;
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;
  ~OutputFolder();

  // The current directory, as GetCurrentDirectoryA names it; throws
  // InOutError when it cannot be read. A folder that cannot be opened (no
  // permission to enter it) fails only when a file is written into it.
  static OutputFolder current();

  const std::string& path() const { return m_path; }
  // path() + "/" + `name`: the path the user is shown.
  std::string pathOf(const std::string& name) const { return m_path + "/" + name; }
  // The open folder, -1 when it could not be opened; openError() then says why.
  int descriptor() const { return m_fd; }
  int openError() const { return m_openError; }

  // Whether `name` is a file the user may not write (0444, say), which a new
  // PDF must not replace, as the shell would not. A symbolic link is no such
  // file: the new PDF takes the link's place, its target stays untouched.
  bool writeProtected(const std::string& name) const;

 private:
  std::string m_path;
  int m_fd = -1;
  int m_openError = 0;
};

}  // namespace lumora
