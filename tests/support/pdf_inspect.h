// Looks into a written PDF the way a reader would, through poppler's command
// line tools: pages and their sizes, the document's info fields, the text
// and the words with their positions, and the fonts. Tests compare these,
// never raw PDF bytes.
#ifndef LUMORA_TESTS_PDF_INSPECT_H
#define LUMORA_TESTS_PDF_INSPECT_H

#include <map>
#include <string>
#include <vector>

namespace lumora::test {

struct PageSize {
  double width = 0;   // points
  double height = 0;  // points
};

struct PdfInfo {
  int pages = 0;
  std::vector<PageSize> pageSizes;            // index 0 = page 1
  std::map<std::string, std::string> fields;  // "Creator", "Producer", ...
};

// A word as pdftotext finds it. Box in points from the page's top-left
// corner, y downwards; the top is the font's ascent line.
struct Word {
  std::string text;  // UTF-8
  double xMin = 0;
  double yMin = 0;
  double xMax = 0;
  double yMax = 0;
};

struct FontInfo {
  std::string name;  // with the subset prefix, e.g. "ABCDEF+LiberationSans"
  std::string type;  // "TrueType", "CID TrueType", "Type 1C", ...
  bool embedded = false;
  bool subset = false;
  bool unicodeMap = false;
};

// The output of a program run without a shell.
struct ToolResult {
  int exitCode = -1;   // -1 when the program could not be started or was killed
  std::string output;  // standard output
};

// Runs argv[0] (searched in PATH) with the arguments; standard error passes
// through to the test's own.
ToolResult runTool(const std::vector<std::string>& argv);

// Each of these throws std::runtime_error when the tool fails, e.g. because
// the file is not a readable PDF.
PdfInfo readPdfInfo(const std::string& pdfPath);
std::vector<Word> readWords(const std::string& pdfPath, int page);  // page from 1
std::string readPageText(const std::string& pdfPath, int page);     // page from 1
// The page's text lines without the blank lines pdftotext puts between blocks.
std::vector<std::string> readPageLines(const std::string& pdfPath, int page);
std::vector<FontInfo> readFonts(const std::string& pdfPath);

// The first word with exactly this text on the page; throws when there is none.
Word findWord(const std::vector<Word>& words, const std::string& text);

}  // namespace lumora::test

#endif
