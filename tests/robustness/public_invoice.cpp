#include "public_invoice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "invoice/invoice_reader.h"
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

// The rates whose lines the item table sums: a plain decimal number equal to
// 19, 7 or 0, written with a point or a comma.
bool summedRate(const std::string& rate) {
  if (rate.empty() || rate.find_first_not_of("0123456789.,") != std::string::npos) return false;
  if (std::count_if(rate.begin(), rate.end(), [](char c) { return c == '.' || c == ','; }) > 1) {
    return false;
  }
  std::string digits = withComma(rate);
  std::replace(digits.begin(), digits.end(), ',', '.');
  if (digits.front() == '.' || digits.back() == '.') return false;
  const double value = std::stod(digits);
  return value == 19 || value == 7 || value == 0;
}

std::string currencyOf(const std::string& block, const std::string& element) {
  const std::string open = "<" + element + " currencyID=\"";
  return between(block, open, "\"").value_or("");
}

}  // namespace

PublicInvoice readPublicInvoice(const std::string& path) {
  const std::string text = joinedLines(path);
  PublicInvoice invoice;
  invoice.path = path;
  invoice.number = between(text, "<cbc:ID>", "</cbc:ID>").value_or("");

  InvoiceReader reader;  // only for the raw text a failing amount shows
  const std::string lineOpen = "<cac:InvoiceLine>";
  for (std::size_t at = text.find(lineOpen); at != std::string::npos;
       at = text.find(lineOpen, at + lineOpen.size())) {
    const std::string block = between(text, lineOpen, "</cac:InvoiceLine>", at).value_or("");
    invoice.lineIds.push_back(between(block, "<cbc:ID>", "</cbc:ID>").value_or(""));
    invoice.lineNames.push_back(between(block, "<cbc:Name>", "</cbc:Name>").value_or(""));
    invoice.lineDescriptions.push_back(
        between(block, "<cbc:Description>", "</cbc:Description>").value_or(""));
    const std::string rate = between(block, "<cbc:Percent>", "</cbc:Percent>").value_or("");
    if (!invoice.conversionError && summedRate(rate) &&
        currencyOf(block, "cbc:LineExtensionAmount") != "EUR") {
      const std::string shown = withComma(reader.getvalue(
          block, "cbc:LineExtensionAmount currencyID=\"EUR\"", "cbc:LineExtensionAmount"));
      invoice.conversionError = "'" + shown + "' ist kein gültiger Gleitkommawert.";
    }
  }

  const std::string monetary =
      between(text, "<cac:LegalMonetaryTotal>", "</cac:LegalMonetaryTotal>").value_or("");
  // In another currency the marker with currencyID="EUR" is not found, and
  // the raw text in front of the amount is shown instead.
  invoice.payableAmount = withComma(
      reader.getvalue(monetary, "cbc:PayableAmount currencyID=\"EUR\"", "cbc:PayableAmount"));
  invoice.payableInEuro = currencyOf(monetary, "cbc:PayableAmount") == "EUR";
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
  return clear(raw);
}

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream stream(text);
  return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

}  // namespace lumora::test
