#pragma once
// What a public sample invoice should come out as, worked out from the file
// with plain text searches, independently of the renderer: its number, the
// identifier of every invoice line, the payable amount and its currency.

#include <optional>
#include <string>
#include <vector>

namespace lumora::test {

struct PublicInvoice {
  std::string path;
  std::string number;                         // raw, as the file holds it
  std::vector<std::string> lineIds;           // raw first cbc:ID of each cac:InvoiceLine
  std::vector<std::string> lineNames;         // raw first cbc:Name of each line
  std::vector<std::string> lineDescriptions;  // raw first cbc:Description of each line
  std::string payableAmount;                  // raw, as the totals show it: "." -> ","
  std::vector<std::string> attachmentNames;   // the filename of each attached document
  std::string currency;                       // the document's currency code
};

PublicInvoice readPublicInvoice(const std::string& path);

// Every *.xml file of the folder, sorted by name.
std::vector<std::string> invoiceFilesIn(const std::string& folder);

// A raw invoice text as a reader sees it on the page, in UTF-8: its entities
// decoded.
std::string shownText(const std::string& raw);

// The words of a text, split at blanks.
std::vector<std::string> wordsOf(const std::string& text);

}  // namespace lumora::test
