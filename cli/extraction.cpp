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
  const std::string xmlFolder =
      options.extractXmlDir.empty() ? "" : absoluteFolder("--extract-xml", options.extractXmlDir);
  const std::string attachmentFolder =
      options.attachmentsDir.empty() ? "" : absoluteFolder("--attachments", options.attachmentsDir);
  int status = 0;
  // A failure of one file, or of one attachment, is reported and the rest
  // go on; a lost standard output ends the call.
  bool outputLost = false;
  const auto save = [&](const std::string& folder, const std::string& name,
                        std::string_view bytes) {
    // Two files of one call under the same name: the second is reported, as
    // any file already there, unless --overwrite is given.
    const std::string path = saveFile(folder, name, bytes, options.overwrite);
    outputLost = outputLost || !report.savedPath(path);
  };
  for (const InvoicePath& invoice : absoluteInvoicePaths(options.invoices)) {
    try {
      if (invoice.error) std::rethrow_exception(invoice.error);
      if (!isPdfFile(invoice.path)) throw Exception(std::string(kNotAPdf));
      const std::unique_ptr<EmbeddedFiles> pdf = openEmbeddedFiles(invoice.path);
      const EmbeddedInvoice found = findEmbeddedInvoice(*pdf);
      if (!xmlFolder.empty()) {
        save(xmlFolder, safeFileName(found.name, "e-rechnung.xml"), found.xml);
      }
      for (std::size_t i = 0; !attachmentFolder.empty() && i < pdf->files().size(); ++i) {
        if (i == found.index || outputLost) continue;
        try {
          save(attachmentFolder, safeFileName(pdf->files()[i].name, "Anlage"),
               embeddedFileContents(*pdf, i));
        } catch (const std::exception& error) {
          report.failed(invoice.named + ": " + errorBoxText(error));
          status = 1;
        }
      }
    } catch (const std::exception& error) {
      report.failed(invoice.named + ": " + errorBoxText(error));
      status = 1;
    }
    if (outputLost) return 1;
  }
  return status;
}

}  // namespace lumora::cli
