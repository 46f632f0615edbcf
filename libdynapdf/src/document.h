// The document an instance builds. Each page is drawn when it ends and kept
// as PDF bytes in memory; nothing reaches a file until the document is
// closed, so a run that fails halfway never touches one.
#ifndef DYNAPDF_DOCUMENT_H
#define DYNAPDF_DOCUMENT_H

#include <memory>
#include <string>
#include <vector>

#include "atomic_file.h"

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

class PageStream;

struct Document {
  std::string outputPath;  // empty until an output file is named
  // The folder the output file goes into, held open since the file was
  // named; outputPath is then the bare file name. Without one, the folder of
  // outputPath as it is when the document is written.
  Descriptor outputFolder;
  PageSize pageSize = kA4Portrait;
  std::vector<TextRun> openPage;  // the runs of the page that still takes text
  bool pageOpen = false;
  bool hasPage = false;                 // a page was appended
  std::shared_ptr<PageStream> drawing;  // the pages that have ended, made on first use
  int currentFont = -1;
  bool failed = false;       // a call failed unexpectedly; the document will not be written
  bool fontMissing = false;  // a font could not be found: text is missing, nothing is written
};

}  // namespace dynapdf

#endif
