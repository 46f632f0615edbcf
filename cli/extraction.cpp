#include "cli/extraction.h"

#include <exception>
#include <filesystem>

#include "cli/invoice_paths.h"
#include "cli/saved_file.h"
#include "invoice/embedded_files.h"
#include "invoice/pdf_invoice.h"
#include "platform/exceptions.h"
#include "render/error_text.h"

namespace lumora::cli {
namespace {

constexpr std::string_view kNotAPdf = "Die Datei ist keine PDF-Datei";

std::string absoluteFolder(const std::string& option, const std::string& folder) {
  std::string absolute;
  try {
    absolute = absolutePath(folder);
  } catch (const std::exception& error) {
    throw UsageError(option + ": " + folder + ": " + errorBoxText(error));
  }
  std::error_code error;
  if (!std::filesystem::is_directory(absolute, error)) {
    throw UsageError(option + ": not a folder: " + folder);
  }
  return absolute;
}

}  // namespace

int extractFiles(const Options& options, const ExtractionReport& report) {
  const std::string xmlFolder = absoluteFolder("--extract-xml", options.extractXmlDir);
  int status = 0;
  for (const InvoicePath& invoice : absoluteInvoicePaths(options.invoices)) {
    try {
      if (invoice.error) std::rethrow_exception(invoice.error);
      if (!isPdfFile(invoice.path)) throw Exception(std::string(kNotAPdf));
      const EmbeddedInvoice found = readEmbeddedInvoice(invoice.path);
      // Two PDFs of one call whose invoices carry the same name: the second
      // is reported, as any file already there, unless --overwrite is given.
      const std::string path = saveFile(xmlFolder, safeFileName(found.name, "e-rechnung.xml"),
                                        found.xml, options.overwrite);
      if (!report.savedPath(path)) return 1;
    } catch (const std::exception& error) {
      report.failed(invoice.named + ": " + errorBoxText(error));
      status = 1;
    }
  }
  return status;
}

}  // namespace lumora::cli
