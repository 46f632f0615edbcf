// The document an instance builds in memory. Nothing is drawn until the
// document is closed, so a run that fails halfway never touches a file.
#ifndef DYNAPDF_DOCUMENT_H
#define DYNAPDF_DOCUMENT_H

#include <string>
#include <vector>

namespace dynapdf {

struct PageSize {
  double width;   // points
  double height;  // points
};

// DIN A4 portrait, 210 x 297 mm.
inline constexpr PageSize kA4Portrait{595.276, 841.89};

// One piece of text as the caller placed it: (x, y) is the text's top-left
// corner in points, origin at the page's lower-left corner, y upwards.
struct TextRun {
  int font;  // handle in the instance's font registry
  double x;
  double y;
  std::string utf8;
  bool plain = true;  // cairo draws it in the font alone; else the text module sets it
};

struct Page {
  std::vector<TextRun> runs;
};

struct Document {
  std::string outputPath;  // empty until an output file is named
  PageSize pageSize = kA4Portrait;
  std::vector<Page> pages;
  bool pageOpen = false;  // the last page still takes text
  int currentFont = -1;
  bool failed = false;       // a call failed unexpectedly; the document will not be written
  bool fontMissing = false;  // a font could not be found: text is missing, nothing is written
};

}  // namespace dynapdf

#endif
