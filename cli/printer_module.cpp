// The printer module: the window's own Qt printer, opened by printer name.

#include <exception>
#include <type_traits>

#include "app/named_printer.h"
#include "cli/printer_module.h"

extern "C" __attribute__((visibility("default"))) lumora::Printer* lumora_render_open_printer_v1(
    const char* name, std::string* error) noexcept {
  try {
    return lumora::openNamedPrinter(name).release();
  } catch (const std::exception& failure) {
    *error = failure.what();
  } catch (...) {
    *error = "unknown error";
  }
  return nullptr;
}

// The entry must match what the program calls.
static_assert(
    std::is_same_v<decltype(&lumora_render_open_printer_v1), lumora::cli::OpenPrinterFunction>);
