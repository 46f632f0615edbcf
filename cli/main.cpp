// lumora-render: the Start command's PDF run for invoice files named on the
// command line, without a window.

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/command_line_host.h"
#include "invoice/invoice_reader.h"
#include "output/text_output.h"
#include "render/error_text.h"
#include "render/render_run.h"
#ifdef LUMORA_HAVE_QT_PRINTER
#include "app/named_printer.h"
#endif

namespace {

using namespace lumora;

constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int usageError(const std::string& message) {
  std::cerr << "lumora-render: " << message << "\nTry 'lumora-render --help'.\n";
  return kUsageError;
}

// Every run changes the current directory, so all paths are made absolute
// before the first one.
std::string absolutePath(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

int renderAll(const cli::Options& options) {
  std::string outputDir;
  if (!options.outputDir.empty()) {
    outputDir = absolutePath(options.outputDir);
    std::error_code error;
    if (!std::filesystem::is_directory(outputDir, error)) {
      return usageError("--output-dir: not a folder: " + options.outputDir);
    }
  }
  std::vector<std::string> invoices;
  for (const std::string& invoice : options.invoices) invoices.push_back(absolutePath(invoice));

  DesktopOpener desktopOpener;
  cli::NoOpener noOpener;
  cli::CommandLineHost host(outputDir, options.longText,
                            options.open ? static_cast<Opener&>(desktopOpener) : noOpener);
  // One reader and one output for all files, as the window keeps them: each
  // run starts a fresh PDF document in the same library instance.
  std::unique_ptr<Printer> printer;
  if (!options.printer.empty()) {
#ifdef LUMORA_HAVE_QT_PRINTER
    try {
      printer = openNamedPrinter(options.printer);
    } catch (const std::exception& error) {
      return usageError(std::string("--printer: ") + error.what());
    }
    host.setMedium(Medium::Printer);
#else
    return usageError("--printer is not available: this lumora-render was built without Qt");
#endif
  }
  InvoiceReader reader;
  TextOutput output(host, printer.get());
  RenderRun run(host, reader, output);

  const bool showProgress = invoices.size() > 1 && ::isatty(STDERR_FILENO);
  int status = 0;
  for (std::size_t i = 0; i < invoices.size(); ++i) {
    const std::string& named = options.invoices[i];
    if (showProgress) std::cerr << "[" << i + 1 << "/" << invoices.size() << "] " << named << "\n";
    try {
      host.selectInvoice(invoices[i]);
      run.start();
      if (!run.writtenPdf().empty()) std::cout << run.writtenPdf() << std::endl;
    } catch (const std::exception& error) {
      std::cerr << named << ": " << errorBoxText(error) << std::endl;
      status = kSomeFailed;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  cli::Options options;
  try {
    options = cli::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const cli::UsageError& error) {
    return usageError(error.what());
  }
  if (options.help) {
    std::cout << cli::helpText();
    return 0;
  }
  return renderAll(options);
}
