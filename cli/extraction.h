#pragma once
// lumora-render's --extract-xml DIR and --attachments DIR: the invoice XML
// inside each PDF named on the command line, and the files each invoice
// carries with it (the documents inside its XML, base64-decoded, and a
// PDF's other embedded files), are saved into DIR under the names they
// carry there; nothing is rendered.

#include <functional>
#include <string>

#include "cli/command_line.h"

namespace lumora::cli {

struct ExtractionReport {
  // Prints a saved file's path; false when standard output is lost.
  std::function<bool(const std::string&)> savedPath;
  // Reports what went wrong for one file ("<file>: <message>").
  std::function<void(const std::string&)> failed;
};

// Exit status: 0 when every file was saved, 1 when any failed or the paths
// could not be printed. Throws UsageError when a DIR is no folder.
int extractFiles(const Options& options, const ExtractionReport& report);

}  // namespace lumora::cli
