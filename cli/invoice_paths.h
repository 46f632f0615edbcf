#pragma once
// The paths of one call, taken before the first run changes the current
// directory: absolute, and otherwise exactly as written, so that the system
// resolves "link/.." through the link as it does for any other program.

#include <exception>
#include <string>
#include <vector>

namespace lumora::cli {

// `path` made absolute against the current directory, never shortened.
// Throws InOutError for an empty name ("Datei nicht gefunden") and when the
// current directory cannot be read (it was removed, say).
std::string absolutePath(const std::string& path);

struct InvoicePath {
  std::string named;         // as given on the command line
  std::string path;          // absolute; empty when `error` is set
  std::exception_ptr error;  // why the file cannot be rendered at all
};

// One entry per name, in order; a name that cannot be made absolute carries
// its error so that it is reported in its turn and the others still render.
std::vector<InvoicePath> absoluteInvoicePaths(const std::vector<std::string>& named);

}  // namespace lumora::cli
