// Every public sample invoice through the whole run into a real PDF: each
// gives a PDF with all its invoice lines and, for lines at 19, 7 or 0 %, the
// computed VAT lines, whatever the currency. The expectations are read from the invoice by
// a plain search of their own, not through the program's reader.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/render/pdf_run.h"
#include "tests/support/pdf_inspect.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string between(std::string_view text, std::string_view open, std::string_view close) {
  std::size_t start = text.find(open);
  if (start == std::string_view::npos) return {};
  start += open.size();
  const std::size_t end = text.find(close, start);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(start, end - start));
}

struct InvoiceLine {
  std::string id;
  std::string percent;
  std::string amount;
};

std::vector<InvoiceLine> invoiceLinesOf(const std::string& xml) {
  std::vector<InvoiceLine> lines;
  for (std::size_t open = xml.find("<cac:InvoiceLine>"); open != std::string::npos;
       open = xml.find("<cac:InvoiceLine>", open + 1)) {
    const std::size_t close = xml.find("</cac:InvoiceLine>", open);
    const std::string_view element = std::string_view(xml).substr(open, close - open);
    // The amount stands behind its opening tag's currency attribute.
    const std::string amountTag = between(element, "<cbc:LineExtensionAmount", "</");
    lines.push_back({between(element, "<cbc:ID>", "</cbc:ID>"),
                     between(element, "<cbc:Percent>", "</cbc:Percent>"),
                     amountTag.substr(amountTag.find('>') + 1)});
  }
  return lines;
}

// 19, 7 or 0 for a percent written as a plain decimal number of that value.
std::optional<int> summedPercent(const std::string& percent) {
  static const std::regex kPlain(R"(\d+(\.\d+)?)");
  if (!std::regex_match(percent, kPlain)) return std::nullopt;
  double value = 0;
  std::from_chars(percent.data(), percent.data() + percent.size(), value);
  for (int rate : {19, 7, 0}) {
    if (value == rate) return rate;
  }
  return std::nullopt;
}

// An amount in millionths, exact, to tell a zero sum from a non-zero one.
long long millionths(const std::string& amount) {
  const bool negative = !amount.empty() && amount[0] == '-';
  const std::string digits = amount.substr(negative || amount[0] == '+' ? 1 : 0);
  const std::size_t point = digits.find('.');
  std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
  fraction.resize(6, '0');
  const long long value = std::stoll(digits.substr(0, point)) * 1000000 + std::stoll(fraction);
  return negative ? -value : value;
}

std::vector<std::string> publicInvoices() {
  std::vector<std::string> files;
  // Without the folder there is nothing to render; the robustness tests say so.
  std::error_code missing;
  for (const fs::directory_entry& entry : fs::directory_iterator(LUMORA_PUBLIC_INVOICES, missing)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class PublicInvoiceTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PublicInvoiceTest, RendersAllLinesAndTheirVat) {
  const std::string path = std::string(LUMORA_PUBLIC_INVOICES) + "/" + GetParam();
  const std::vector<InvoiceLine> lines = invoiceLinesOf(readFile(path));
  std::map<int, long long> sums;  // per summed rate
  for (const InvoiceLine& line : lines) {
    const std::optional<int> rate = summedPercent(line.percent);
    if (rate) sums[*rate] += millionths(line.amount);
  }

  TempDir folder;

  const std::string pdf = renderPdf(path, folder.path());
  ASSERT_FALSE(pdf.empty());
  const int pages = readPdfInfo(pdf).pages;
  ASSERT_GE(pages, 1);
  std::string text;
  std::set<std::string> firstColumn;  // the words at x 20 mm, 60 points
  for (int page = 1; page <= pages; ++page) {
    text += readPageText(pdf, page);
    for (const Word& word : readWords(pdf, page)) {
      if (std::abs(word.xMin - 60) < 1) firstColumn.insert(word.text);
    }
  }
  for (const InvoiceLine& line : lines) {
    // The identifier's first word, as the page shows it.
    std::string id = line.id.substr(0, line.id.find(' '));
    for (const auto& [entity, character] :
         {std::pair{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}}) {
      for (std::size_t at = id.find(entity); at != std::string::npos; at = id.find(entity, at)) {
        id.replace(at, std::string_view(entity).size(), character);
      }
    }
    // An identifier too wide for its column ends with "…".
    const bool shown = std::any_of(firstColumn.begin(), firstColumn.end(), [&](std::string word) {
      if (!word.ends_with("…")) return word == id;
      word.resize(word.size() - std::string_view("…").size());
      return id.starts_with(word) || line.id.starts_with(word);
    });
    EXPECT_TRUE(shown) << "invoice line " << line.id << " missing";
  }
  const auto shows = [&text](const std::string& label) {
    return text.find(label) != std::string::npos;
  };
  const std::map<int, std::vector<std::string>> labels = {{19, {"Netto 19,00", "MWSt 19,00"}},
                                                          {7, {"Netto 7,00", "MWSt 7,00"}},
                                                          {0, {"Netto steuerfrei"}}};
  for (const auto& [rate, rateLabels] : labels) {
    const bool summed = sums.count(rate) != 0;
    // A decimal sum of zero may leave a binary residue that is drawn; no
    // claim either way then.
    if (summed && sums[rate] == 0) continue;
    for (const std::string& label : rateLabels) EXPECT_EQ(shows(label), summed) << label;
  }
  EXPECT_TRUE(shows("Zahlungsbetrag"));
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.size() - 4);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PublicInvoiceTest);
INSTANTIATE_TEST_SUITE_P(Samples, PublicInvoiceTest, ::testing::ValuesIn(publicInvoices()),
                         testName);

}  // namespace
}  // namespace lumora::test
