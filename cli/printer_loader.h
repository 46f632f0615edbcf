#pragma once
// lumora-render's --printer: loads the printer module and opens the printer.

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/printer.h"

namespace lumora::cli {

// The module could not be loaded or the printer not opened; the message
// says why, in English (a missing printer keeps its German text).
class PrinterUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads the printer module once (it stays loaded until the program ends)
// and opens the installed printer `name`. `programFolder` is where the
// running program lies; the module is looked for there, then in the
// program's private library folder.
std::unique_ptr<Printer> openPrinterModule(const std::string& name,
                                           const std::string& programFolder);

// The running program's folder, empty when the system does not tell.
std::string runningProgramFolder();

}  // namespace lumora::cli
