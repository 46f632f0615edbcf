// The library exports its C functions and nothing else, so the program can
// rely on the names and no internal symbol clashes with the program's own.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "pdf_inspect.h"

namespace lumora::test {
namespace {

TEST(ExportedSymbols, ExactlyTheCFunctions) {
  const ToolResult nm = runTool({"nm", "-D", "--defined-only", DYNAPDF_LIBRARY_FILE});
  ASSERT_EQ(nm.exitCode, 0);

  std::set<std::string> exported;
  std::istringstream lines(nm.output);
  for (std::string line; std::getline(lines, line);) {
    exported.insert(line.substr(line.rfind(' ') + 1));  // "address type name"
  }
  const std::set<std::string> expected = {
      "pdfNewPDF",  "pdfDeletePDF",       "pdfHaveOpenDoc",       "pdfCreateNewPDFA",
      "pdfAppend",  "pdfSetPageFormat",   "pdfSetFontW",          "pdfWriteTextW",
      "pdfEndPage", "pdfOpenOutputFileA", "pdfOpenOutputFileAtA", "pdfCloseFile"};
  EXPECT_EQ(exported, expected);
}

}  // namespace
}  // namespace lumora::test
