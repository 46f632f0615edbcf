#include "cli/command_line.h"

#include <string_view>

#include "lumora/version.h"

namespace lumora::cli {
namespace {

constexpr std::string_view kOutputDir = "--output-dir";
constexpr std::string_view kPrinter = "--printer";

}  // namespace

Options parseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      options.invoices.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--long-text") {
      options.longText = true;
    } else if (argument == "--open") {
      options.open = true;
    } else if (argument == "--overwrite") {
      options.overwrite = true;
    } else if (argument == kOutputDir) {
      options.outputDir = i + 1 < arguments.size() ? arguments[++i] : "";
      if (options.outputDir.empty()) throw UsageError("--output-dir needs a folder");
    } else if (argument.starts_with(std::string(kOutputDir) + "=")) {
      options.outputDir = argument.substr(kOutputDir.size() + 1);
      if (options.outputDir.empty()) throw UsageError("--output-dir needs a folder");
    } else if (argument == kPrinter) {
      options.printer = i + 1 < arguments.size() ? arguments[++i] : "";
      if (options.printer.empty()) throw UsageError("--printer needs a printer name");
    } else if (argument.starts_with(std::string(kPrinter) + "=")) {
      options.printer = argument.substr(kPrinter.size() + 1);
      if (options.printer.empty()) throw UsageError("--printer needs a printer name");
    } else {
      throw UsageError("unknown option " + argument);
    }
  }
  if (!options.help && !options.version && options.invoices.empty())
    throw UsageError("no invoice file given");
  return options;
}

std::string helpText() {
  return R"(Usage: lumora-render [OPTIONS] INVOICE.xml...

Renders German e-invoices (UBL and CII invoices and credit notes, also the
XML inside a ZUGFeRD / Factur-X PDF) to PDF without a window, exactly as the
viewer's Start command does with the PDF medium. Each PDF is named
"Beleg-<invoice number>.pdf" and written into the invoice's folder; its
path is printed on standard output.

Options:
  --long-text        also print the items' descriptions ("mit Langtext  drucken")
  --open             open each written PDF in the desktop's viewer
  --output-dir DIR   write the PDFs into DIR instead
  --overwrite        let an invoice replace a PDF that an earlier invoice of
                     the same call wrote (same number, same folder)
  --printer NAME     print on the printer NAME instead of writing PDFs
                     (one print job per invoice, as with "Drucker")
  -h, --help         show this help and exit
      --version      show the version and exit

An invoice that cannot be rendered is reported on standard error as
"<file>: <message>"; the remaining files are still rendered. Without
--overwrite, an invoice whose PDF would replace one written earlier in the
same call is such a failure, and nothing is written for it. With several
files and standard error on a terminal, each file is announced and a last
line gives the number of files and the time taken.

Exit status: 0 when every file was rendered, 1 when any failed or the
output lines could not be written, 2 when the command line is wrong or the
printer cannot be used.
)";
}

}  // namespace lumora::cli

namespace lumora::cli {

std::string versionText() {
  return std::string("lumora-render ") + kVersion + "\n";
}

}  // namespace lumora::cli
