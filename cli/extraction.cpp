#include "cli/extraction.h"

#include <exception>
#include <filesystem>

#include "cli/invoice_paths.h"
#include "cli/saved_file.h"
#include "invoice/base64.h"
#include "invoice/embedded_files.h"
#include "invoice/invoice_reader.h"
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

// An attached document's bytes, decoded from the invoice's base64 text.
std::string decodedAttachment(const Attachment& attachment) {
  const std::string tooLarge = "Die Anlage " + quotedExcerpt(attachment.name) + " ist größer als " +
                               std::to_string(kMostAttachmentBytes / (1024 * 1024)) + " MB";
  if (attachment.tooLarge) throw Exception(tooLarge);
  std::string bytes;
  switch (decodeBase64(attachment.base64, kMostAttachmentBytes, bytes)) {
    case Base64Result::Decoded:
      return bytes;
    case Base64Result::TooLarge:
      throw Exception(tooLarge);
    case Base64Result::NotBase64:
      break;
  }
  throw Exception("Die Anlage " + quotedExcerpt(attachment.name) +
                  " ist nicht base64-kodiert und kann nicht gespeichert werden");
}

}  // namespace

int extractFiles(const Options& options, const ExtractionReport& report) {
  const std::string xmlFolder =
      options.extractXmlDir.empty() ? "" : absoluteFolder("--extract-xml", options.extractXmlDir);
  const std::string attachmentFolder =
      options.attachmentsDir.empty() ? "" : absoluteFolder("--attachments", options.attachmentsDir);
  const AttachmentContents contents =
      attachmentFolder.empty() ? AttachmentContents::Skip : AttachmentContents::Keep;
  int status = 0;
  // A failure of one file, or of one attachment, is reported and the rest
  // go on; a lost standard output ends the call.
  bool outputLost = false;
  const auto failed = [&](const std::string& named, const std::exception& error) {
    report.failed(named + ": " + errorBoxText(error));
    status = 1;
  };
  // Two files of one call under the same name: the second is reported, as
  // any file already there, unless --overwrite is given.
  const auto save = [&](const std::string& folder, const std::string& name,
                        std::string_view bytes) {
    outputLost = outputLost || !report.savedPath(saveFile(folder, name, bytes, options.overwrite));
  };
  for (const InvoicePath& invoice : absoluteInvoicePaths(options.invoices)) {
    try {
      if (invoice.error) std::rethrow_exception(invoice.error);
      std::unique_ptr<EmbeddedFiles> pdf;
      EmbeddedInvoice found;
      if (isPdfFile(invoice.path)) {
        pdf = openEmbeddedFiles(invoice.path);
        found = findEmbeddedInvoice(*pdf, contents);
        if (!xmlFolder.empty()) {
          save(xmlFolder, safeFileName(found.name, "e-rechnung.xml"), found.xml);
        }
      } else if (!xmlFolder.empty()) {
        throw Exception(std::string(kNotAPdf));
      } else {
        found.invoice = readInvoiceFile(invoice.path, contents);
      }
      if (attachmentFolder.empty()) continue;
      // The invoice's own documents, then the PDF's other files.
      for (const Attachment& attachment : found.invoice.attachments) {
        try {
          if (!outputLost) {
            save(attachmentFolder, safeFileName(attachment.name, "Anlage"),
                 decodedAttachment(attachment));
          }
        } catch (const std::exception& error) {
          failed(invoice.named, error);
        }
      }
      for (std::size_t i = 0; pdf && i < pdf->files().size(); ++i) {
        if (i == found.index || outputLost) continue;
        try {
          save(attachmentFolder, safeFileName(pdf->files()[i].name, "Anlage"),
               embeddedFileContents(*pdf, i));
        } catch (const std::exception& error) {
          failed(invoice.named, error);
        }
      }
    } catch (const std::exception& error) {
      failed(invoice.named, error);
    }
    if (outputLost) return 1;
  }
  return status;
}

}  // namespace lumora::cli
