#pragma once
// Opening a file or a web address in the desktop's viewer or browser. The
// program never waits for the viewer and never hears whether it started.

#include <string>

namespace lumora {

class Opener {
 public:
  virtual ~Opener() = default;
  // Opens `target` (a path or an address); `workingDirectory` may be empty.
  virtual void open(const std::string& target, const std::string& workingDirectory) = 0;
};

// Starts the desktop's opener (xdg-open) detached, with `target` as its one
// argument; no shell is involved. Failures are silent.
class DesktopOpener final : public Opener {
 public:
  void open(const std::string& target, const std::string& workingDirectory) override;
};

}  // namespace lumora
