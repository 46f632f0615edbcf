#include "public_invoice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "output/clear.h"

namespace lumora::test {
namespace {

// The file without its line breaks, as getdata joins the lines of a block.
std::string joinedLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

// The text between `open` and the next `close` at or after `from`.
std::optional<std::string> between(const std::string& text, const std::string& open,
                                   const std::string& close, std::size_t from = 0) {
  const std::size_t start = text.find(open, from);
  if (start == std::string::npos) return std::nullopt;
  const std::size_t end = text.find(close, start + open.size());
  if (end == std::string::npos) return std::nullopt;
  return text.substr(start + open.size(), end - start - open.size());
}

std::string withComma(std::string text) {
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

}  // namespace

PublicInvoice readPublicInvoice(const std::string& path) {
  const std::string text = joinedLines(path);
  PublicInvoice invoice;
  invoice.path = path;
  invoice.number = between(text, "<cbc:ID>", "</cbc:ID>").value_or("");

  const std::string lineOpen = "<cac:InvoiceLine>";
  for (std::size_t at = text.find(lineOpen); at != std::string::npos;
       at = text.find(lineOpen, at + lineOpen.size())) {
    const std::string block = between(text, lineOpen, "</cac:InvoiceLine>", at).value_or("");
    invoice.lineIds.push_back(between(block, "<cbc:ID>", "</cbc:ID>").value_or(""));
    invoice.lineNames.push_back(between(block, "<cbc:Name>", "</cbc:Name>").value_or(""));
    invoice.lineDescriptions.push_back(
        between(block, "<cbc:Description>", "</cbc:Description>").value_or(""));
  }

  const std::string monetary =
      between(text, "<cac:LegalMonetaryTotal>", "</cac:LegalMonetaryTotal>").value_or("");
  // Behind the opening tag's attributes.
  invoice.payableAmount =
      withComma(between(monetary, ">", "</cbc:PayableAmount>", monetary.find("<cbc:PayableAmount"))
                    .value_or(""));
  invoice.currency =
      between(text, "<cbc:DocumentCurrencyCode>", "</cbc:DocumentCurrencyCode>").value_or("");
  const std::string attachment = "<cbc:EmbeddedDocumentBinaryObject";
  for (std::size_t at = text.find(attachment); at != std::string::npos;
       at = text.find(attachment, at + attachment.size())) {
    const std::string tag = between(text, attachment, ">", at).value_or("");
    invoice.attachmentNames.push_back(between(tag, "filename=\"", "\"").value_or(""));
  }
  return invoice;
}

std::vector<std::string> invoiceFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".xml") {
      files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string shownText(const std::string& raw) {
  std::string decoded = raw;
  for (const auto& [entity, character] :
       {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&quot;", "\""},
        std::pair{"&apos;", "'"}, std::pair{"&amp;", "&"}}) {
    for (std::size_t at = decoded.find(entity); at != std::string::npos;
         at = decoded.find(entity, at + 1)) {
      decoded.replace(at, std::string_view(entity).size(), character);
    }
  }
  return clear(decoded);
}

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream stream(text);
  return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

}  // namespace lumora::test
