#include "cli/command_line.h"

#include <optional>
#include <string_view>

#include "lumora/version.h"

namespace lumora::cli {
namespace {

constexpr std::string_view kOutputDir = "--output-dir";
constexpr std::string_view kPrinter = "--printer";
constexpr std::string_view kExtractXml = "--extract-xml";
constexpr std::string_view kAttachments = "--attachments";

// The value of an option given as "--name VALUE" or "--name=VALUE", or
// nothing when `argument` is another option.
std::optional<std::string> optionValue(std::string_view option, std::string_view need,
                                       const std::vector<std::string>& arguments, std::size_t& i) {
  const std::string& argument = arguments[i];
  std::string value;
  if (argument == option) {
    value = i + 1 < arguments.size() ? arguments[++i] : "";
  } else if (argument.starts_with(std::string(option) + "=")) {
    value = argument.substr(option.size() + 1);
  } else {
    return std::nullopt;
  }
  if (value.empty()) throw UsageError(std::string(option) + " needs " + std::string(need));
  return value;
}

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
    } else if (auto folder = optionValue(kOutputDir, "a folder", arguments, i)) {
      options.outputDir = *folder;
    } else if (auto name = optionValue(kPrinter, "a printer name", arguments, i)) {
      options.printer = *name;
    } else if (auto xmlFolder = optionValue(kExtractXml, "a folder", arguments, i)) {
      options.extractXmlDir = *xmlFolder;
    } else if (auto attachmentFolder = optionValue(kAttachments, "a folder", arguments, i)) {
      options.attachmentsDir = *attachmentFolder;
    } else {
      throw UsageError("unknown option " + argument);
    }
  }
  if (!options.help && !options.version && options.invoices.empty())
    throw UsageError("no invoice file given");
  if (options.saving() && (options.longText || options.open || !options.outputDir.empty() ||
                           !options.printer.empty())) {
    throw UsageError(
        "--extract-xml and --attachments save files and render nothing; they take only "
        "--overwrite");
  }
  return options;
}

std::string helpText() {
  return R"(Usage: lumora-render [OPTIONS] INVOICE.xml|INVOICE.pdf...

Renders German e-invoices (UBL and CII invoices and credit notes, ZUGFeRD
1.0; as XML or inside a ZUGFeRD / Factur-X PDF) to PDF without a window,
exactly as the viewer's Start command does with the PDF medium. Each PDF is
named "Beleg-<invoice number>.pdf" and written into the invoice's folder; its
path is printed on standard output.

Options:
  --long-text        also print the items' descriptions ("mit Langtext  drucken")
  --open             open each written PDF in the desktop's viewer
  --output-dir DIR   write the PDFs into DIR instead
  --overwrite        let an invoice replace a PDF that an earlier invoice of
                     the same call wrote (same number, same folder)
  --printer NAME     print on the printer NAME instead of writing PDFs
                     (one print job per invoice, as with "Drucker")
  --extract-xml DIR  render nothing: save the invoice XML inside each PDF
                     into DIR under the name it carries there (made safe as
                     a file name; an existing file is replaced only with
                     --overwrite) and print its path
  --attachments DIR  render nothing: save the files each invoice carries
                     (the PDF's other embedded files, the documents inside
                     the XML) into DIR in the same way
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
