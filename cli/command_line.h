#pragma once
// lumora-render's command line:
//   lumora-render [--long-text] [--open] [--overwrite] [--output-dir DIR] [--printer NAME]
//                 INVOICE.xml|INVOICE.pdf...
//   lumora-render [--extract-xml DIR] [--attachments DIR] [--overwrite] INVOICE.pdf...

#include <stdexcept>
#include <string>
#include <vector>

namespace lumora::cli {

struct Options {
  bool help = false;
  bool version = false;
  bool longText = false;      // "mit Langtext  drucken" checked
  bool open = false;          // start the viewer for each written PDF
  bool overwrite = false;     // a later invoice may replace a PDF written earlier in the call
  std::string outputDir;      // empty: each PDF goes next to its invoice
  std::string printer;        // --printer: print on this printer instead of writing PDFs
  std::string extractXmlDir;  // --extract-xml: save each PDF's invoice XML here, render nothing
  std::string
      attachmentsDir;  // --attachments: save each invoice's attachments here, render nothing

  // Files are saved instead of rendered.
  bool saving() const { return !extractXmlDir.empty() || !attachmentsDir.empty(); }
  std::vector<std::string> invoices;
};

// A command line that cannot be run; the message says why, in English.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. "--" ends the options.
// Throws UsageError for an unknown option, a missing value or no invoice
// (none is needed with --help or --version).
Options parseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
std::string helpText();

// The --version text: program name and version, one line.
std::string versionText();

}  // namespace lumora::cli
