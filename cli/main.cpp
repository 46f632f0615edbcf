// lumora-render: the Start command's PDF run for invoice files named on the
// command line, without a window.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/batch_report.h"
#include "cli/command_line.h"
#include "cli/command_line_host.h"
#include "cli/extraction.h"
#include "cli/invoice_paths.h"
#include "cli/printer_loader.h"
#include "output/text_output.h"
#include "platform/control_characters.h"
#include "render/error_text.h"
#include "render/render_run.h"

namespace {

using namespace lumora;

constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

// `text` as it goes to the stream `fd`: a person reading a terminal sees
// control characters from file names and invoices escaped, never obeyed.
std::string forStream(const std::string& text, int fd) {
  return ::isatty(fd) == 1 ? escapeControlCharacters(text) : text;
}

void errorLine(const std::string& line) {
  std::fputs((forStream(line, STDERR_FILENO) + "\n").c_str(), stderr);
}

int usageError(const std::string& message) {
  errorLine("lumora-render: " + message);
  errorLine("Try 'lumora-render --help'.");
  return kUsageError;
}

// Writes `text` to standard output at once, so that a script reading the
// paths sees each as soon as its PDF exists. False when the output is lost
// (a full disk, a closed pipe); the reason is reported on stderr.
bool writeOutput(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) != EOF && std::fflush(stdout) == 0) return true;
  errorLine(std::string("lumora-render: cannot write to standard output: ") + std::strerror(errno));
  return false;
}

int renderAll(const cli::Options& options) {
  std::string outputDir;
  if (!options.outputDir.empty()) {
    try {
      outputDir = cli::absolutePath(options.outputDir);
    } catch (const std::exception& error) {
      return usageError("--output-dir: " + options.outputDir + ": " + errorBoxText(error));
    }
    std::error_code error;
    if (!std::filesystem::is_directory(outputDir, error)) {
      return usageError("--output-dir: not a folder: " + options.outputDir);
    }
  }
  // Every run changes the current directory, so all paths are made absolute
  // before the first one.
  const std::vector<cli::InvoicePath> invoices = cli::absoluteInvoicePaths(options.invoices);

  DesktopOpener desktopOpener;
  cli::NoOpener noOpener;
  cli::CommandLineHost host(outputDir, options.longText, options.overwrite,
                            options.open ? static_cast<Opener&>(desktopOpener) : noOpener);
  // The printer module, and with it Qt, is loaded only for --printer.
  std::unique_ptr<Printer> printer;
  if (!options.printer.empty()) {
    try {
      printer = cli::openPrinterModule(options.printer, cli::runningProgramFolder());
    } catch (const std::exception& error) {
      return usageError(std::string("--printer: ") + error.what());
    }
    host.setMedium(Medium::Printer);
  }
  // One output for all files, as the window keeps it: the PDF library is
  // loaded once and keeps its fonts, and each run starts a fresh document in
  // it.
  TextOutput output(host, printer.get());
  RenderRun run(host, output);

  cli::BatchReport report(invoices.size(), ::isatty(STDERR_FILENO) == 1);
  int status = 0;
  for (const cli::InvoicePath& invoice : invoices) {
    report.starting(invoice.named);
    try {
      if (invoice.error) std::rethrow_exception(invoice.error);
      host.selectInvoice(invoice.path, invoice.named);
      run.start();
    } catch (const std::exception& error) {
      errorLine(invoice.named + ": " + errorBoxText(error));
      report.failed();
      status = kSomeFailed;
      continue;
    }
    if (run.writtenPdf().empty()) continue;
    host.pdfWritten(run.writtenPdf());
    // Nobody reads the paths any more: stop, as a closed pipe would have.
    if (!writeOutput(forStream(run.writtenPdf(), STDOUT_FILENO) + "\n")) return kSomeFailed;
  }
  report.finished();
  return status;
}

// A closed pipe on standard output is an error status, not a kill. A handler
// that does nothing rather than SIG_IGN, because an ignored signal stays
// ignored in the viewer that --open starts, while a handler does not survive
// exec.
void ignoreBrokenPipes() {
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  // The system's reasons in messages speak the user's language; numbers keep
  // the C locale's point.
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_MESSAGES, "");
  ignoreBrokenPipes();
  cli::Options options;
  try {
    options = cli::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const cli::UsageError& error) {
    return usageError(error.what());
  }
  if (options.help) return writeOutput(cli::helpText()) ? 0 : kSomeFailed;
  if (options.version) return writeOutput(cli::versionText()) ? 0 : kSomeFailed;
  if (options.saving()) {
    try {
      return cli::extractFiles(
          options, {[](const std::string& path) { return writeOutput(path + "\n"); }, errorLine});
    } catch (const cli::UsageError& error) {
      return usageError(error.what());
    }
  }
  return renderAll(options);
}
