// The library exports its C functions and nothing else, so the program can
// rely on the names and no internal symbol clashes with the program's own;
// its text module exports its one entry point.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "pdf_inspect.h"

namespace lumora::test {
namespace {

// The last word of each line of a tool's output.
std::set<std::string> lastWords(const std::vector<std::string>& argv) {
  const ToolResult result = runTool(argv);
  EXPECT_EQ(result.exitCode, 0);
  std::set<std::string> words;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) words.insert(line.substr(line.rfind(' ') + 1));
  }
  return words;
}

TEST(ExportedSymbols, ExactlyTheCFunctions) {
  const std::set<std::string> expected = {
      "pdfNewPDF",       "pdfDeletePDF",     "pdfHaveOpenDoc",     "pdfCreateNewPDFA",
      "pdfAppend",       "pdfSetPageFormat", "pdfSetFontW",        "pdfWriteTextW",
      "pdfMeasureTextW", "pdfEndPage",       "pdfOpenOutputFileA", "pdfOpenOutputFileAtA",
      "pdfCloseFile"};
  EXPECT_EQ(lastWords({"nm", "-D", "--defined-only", DYNAPDF_LIBRARY_FILE}), expected);
  EXPECT_EQ(lastWords({"nm", "-D", "--defined-only", DYNAPDF_TEXT_MODULE_FILE}),
            std::set<std::string>{"dynapdfTextModule"});
}

// Pango and GLib cost a run several milliseconds to load: only the text
// module, loaded when a text needs it, links them.
TEST(ExportedSymbols, OnlyTheTextModuleLinksPango) {
  const auto needs = [](const char* file, const std::string& library) {
    const ToolResult result = runTool({"readelf", "-d", file});
    return result.output.find("[" + library) != std::string::npos;
  };
  EXPECT_FALSE(needs(DYNAPDF_LIBRARY_FILE, "libpango"));
  EXPECT_FALSE(needs(DYNAPDF_LIBRARY_FILE, "libglib"));
  EXPECT_TRUE(needs(DYNAPDF_TEXT_MODULE_FILE, "libpangocairo"));
}

}  // namespace
}  // namespace lumora::test
