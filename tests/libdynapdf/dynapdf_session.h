// Drives the library the way the program does, so each test states only what
// it is about.
#ifndef LUMORA_TESTS_DYNAPDF_SESSION_H
#define LUMORA_TESTS_DYNAPDF_SESSION_H

#include <string>
#include <vector>

#include "dynapdf.h"

namespace lumora::test {

struct PlacedText {
  double x;  // points from the left edge
  double y;  // points up from the lower edge to the text's top
  std::u16string text;
  double size = 8;
  std::u16string font = u"Arial";
};

class DynaPdfSession {
 public:
  DynaPdfSession() : m_pdf(pdfNewPDF()) {}
  DynaPdfSession(const DynaPdfSession&) = delete;
  DynaPdfSession& operator=(const DynaPdfSession&) = delete;
  ~DynaPdfSession() { pdfDeletePDF(m_pdf); }

  DynaPdfInstance* get() const { return m_pdf; }

  // The program's opening sequence: a document, its first page, a start
  // font, A4. True when every call succeeded.
  bool startDocument() {
    return pdfCreateNewPDFA(m_pdf, "") && pdfAppend(m_pdf) &&
           pdfSetFontW(m_pdf, u"Courier", 1280, 15.0, -1, 2) >= 0 && pdfSetPageFormat(m_pdf, 1);
  }

  bool write(const PlacedText& placed) {
    return pdfSetFontW(m_pdf, placed.font.c_str(), 1280, placed.size, -1, 2) >= 0 &&
           pdfWriteTextW(m_pdf, placed.x, placed.y, placed.text.c_str());
  }

  bool write(const std::vector<PlacedText>& texts) {
    for (const PlacedText& placed : texts) {
      if (!write(placed)) return false;
    }
    return true;
  }

  bool nextPage() { return pdfEndPage(m_pdf) && pdfAppend(m_pdf); }

  // The program's closing sequence. True when the file was written.
  bool finish(const std::string& path) {
    const bool ended = pdfEndPage(m_pdf);
    const bool named = pdfOpenOutputFileA(m_pdf, path.c_str());
    return pdfCloseFile(m_pdf) && ended && named;
  }

 private:
  DynaPdfInstance* m_pdf;
};

}  // namespace lumora::test

#endif
