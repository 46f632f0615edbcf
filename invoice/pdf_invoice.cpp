#include "invoice/pdf_invoice.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "invoice/invoice_reader.h"
#include "platform/exceptions.h"

namespace lumora {
namespace {

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && equalIgnoringCase(text.substr(text.size() - end.size()), end);
}

bool isXmlFile(const EmbeddedFile& file) {
  return endsWithIgnoringCase(file.name, ".xml") || endsWithIgnoringCase(file.subtype, "/xml") ||
         endsWithIgnoringCase(file.subtype, "+xml");
}

// Rank of a file among the candidates: a preferred name by its place in
// the list, any other XML after them.
std::optional<std::size_t> rankOf(const EmbeddedFile& file) {
  for (std::size_t i = 0; i < kInvoiceFileNames.size(); ++i) {
    if (equalIgnoringCase(file.name, kInvoiceFileNames[i])) return i;
  }
  if (isXmlFile(file)) return kInvoiceFileNames.size();
  return std::nullopt;
}

}  // namespace

EmbeddedInvoice findEmbeddedInvoice(const EmbeddedFiles& pdf, AttachmentContents contents) {
  const std::vector<EmbeddedFile>& files = pdf.files();
  std::vector<std::pair<std::size_t, std::size_t>> candidates;  // rank, index
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const auto rank = rankOf(files[i])) candidates.emplace_back(*rank, i);
  }
  std::ranges::stable_sort(candidates, {}, &std::pair<std::size_t, std::size_t>::first);

  std::optional<Exception> firstFailure;
  std::size_t searched = 0;
  for (const auto& [rank, index] : candidates) {
    if (searched >= kMostBytesSearched) break;
    std::string xml;
    try {
      xml = embeddedFileContents(pdf, index);
    } catch (const Exception& error) {
      if (!firstFailure) firstFailure = error;
      searched += kMostEmbeddedFileBytes;
      continue;
    }
    searched += xml.size();
    try {
      Invoice invoice = readInvoice(xml, contents);
      return {index, files[index].name, std::move(xml), std::move(invoice)};
    } catch (const Exception& error) {
      // Any XML file may be attached; one of an invoice's own names that is
      // not one says why, should no other be.
      if (!firstFailure && rank < kInvoiceFileNames.size()) {
        firstFailure = Exception(files[index].name + ": " + error.what());
      }
    }
  }
  if (firstFailure) throw *firstFailure;
  if (!pdf.damage().empty()) {
    throw Exception(std::string(kPdfDamaged) + ": " + quotedExcerpt(pdf.damage()));
  }
  throw Exception(std::string(kNoInvoiceInPdf));
}

EmbeddedInvoice readEmbeddedInvoice(const std::string& path) {
  return findEmbeddedInvoice(*openEmbeddedFiles(path));
}

Invoice readInvoiceOrPdf(const std::string& path, AttachmentContents contents) {
  if (!isPdfFile(path)) return readInvoiceFile(path, contents);
  const std::unique_ptr<EmbeddedFiles> pdf = openEmbeddedFiles(path);
  EmbeddedInvoice found = findEmbeddedInvoice(*pdf, contents);
  // The PDF's other files go with the invoice, after its own documents.
  for (std::size_t i = 0; i < pdf->files().size(); ++i) {
    if (i != found.index) found.invoice.attachments.push_back({pdf->files()[i].name, {}, false});
  }
  return std::move(found.invoice);
}

}  // namespace lumora
