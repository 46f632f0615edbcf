#include "app/viewer_command_line.h"

#include "lumora/version.h"

namespace lumora {

ViewerArguments parseViewerArguments(const std::vector<std::string>& arguments) {
  ViewerArguments parsed;
  const auto fault = [&parsed](std::string why) {
    if (parsed.error.empty()) parsed.error = std::move(why);
  };
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      if (parsed.invoice)
        fault("only one invoice file can be given");
      else
        parsed.invoice = argument;
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      parsed.help = true;
    } else if (argument == "--version") {
      parsed.version = true;
    } else {
      fault("unknown option " + argument);
    }
  }
  if (parsed.invoice && parsed.invoice->empty()) fault("the invoice file name is empty");
  return parsed;
}

std::string viewerHelpText() {
  return R"(Usage: lumora-eviewer [FILE]

The desktop viewer for German e-invoices: UBL and CII invoices and credit
notes, also the XML inside a ZUGFeRD / Factur-X PDF. It lays an invoice out
as a printed invoice and writes it as "Beleg-<invoice number>.pdf" into the
invoice's folder or prints it. Its interface is German.

With FILE, the login page comes as always, and the first "Start" renders
FILE instead of asking for an invoice; its folder becomes the current folder
as after the file dialog.

Options:
  -h, --help     show this help and exit
      --version  show the version and exit

Qt's own options, such as -platform or -display, are accepted too.
)";
}

std::string viewerVersionText() {
  return std::string("lumora-eviewer ") + kVersion + "\n";
}

}  // namespace lumora
