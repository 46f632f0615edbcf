#pragma once
// lumora-eviewer's command line: [--help | --version] [FILE]. Qt takes its
// own options (-platform, -display, ...) away before the rest is read.

#include <optional>
#include <string>
#include <vector>

namespace lumora {

struct ViewerArguments {
  bool help = false;
  bool version = false;
  // The invoice that the first "Start" renders instead of asking for one.
  std::optional<std::string> invoice;
  // Why the command line cannot be run, in English; empty when it can.
  std::string error;
};

// Reads the arguments after the program name; "--" ends the options. Help
// and version are noted even on a line with a fault, so that they work
// before Qt has taken its own options away.
ViewerArguments parseViewerArguments(const std::vector<std::string>& arguments);

std::string viewerHelpText();
std::string viewerVersionText();

}  // namespace lumora
