#pragma once
// The printer medium of lumora-render lives in a module of its own that is
// loaded only for --printer, so that a PDF run never loads Qt. The module and
// the program agree on this one entry point; its name carries a version so
// that a module from another build is refused rather than misused.

#include <string>

#include "platform/printer.h"

namespace lumora::cli {

// The module's file name, looked for beside the program and in the
// program's private library folder.
inline constexpr const char* kPrinterModuleFile = "lumora-render-printer.so";

// Returns a new printer medium on the installed printer `name` (the caller
// owns it), or null with the reason in `error`. Never throws.
inline constexpr const char* kOpenPrinterSymbol = "lumora_render_open_printer_v1";
using OpenPrinterFunction = Printer* (*)(const char* name, std::string* error) noexcept;

}  // namespace lumora::cli
