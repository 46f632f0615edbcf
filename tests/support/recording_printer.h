#pragma once
// A printer that records what it is asked to do, at 254 dots per inch
// unless told otherwise. Each text keeps its device position and, for layout
// tests, the layout's millimetres it stands for: the printer puts texts where
// the PDF medium does, 3 points per millimetre across and 2.7 down from 800
// points above the foot of an A4 page.

#include <cmath>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace lumora::test {

struct PrintedText {
  int page = 1;  // counted from 1 within the job
  int x = 0;     // layout millimetres
  int y = 0;
  int deviceX = 0;  // device pixels
  int deviceY = 0;
  std::string text;  // UTF-8, as drawn
  std::string font;
  int size = 0;
};

class RecordingPrinter : public Printer {
 public:
  explicit RecordingPrinter(int dpiX = 254, int dpiY = 254) : m_dpiX(dpiX), m_dpiY(dpiY) {}

  bool printing() const override { return m_printing; }
  void beginDoc() override {
    m_printing = true;
    ++jobsBegun;
    page = 1;
    texts.clear();
  }
  void newPage() override { ++page; }
  void endDoc() override {
    m_printing = false;
    ++jobsEnded;
  }
  void abortDoc() override {
    m_printing = false;
    ++jobsAborted;
  }
  void setFont(std::string_view family, int pointSize) override {
    m_font = family;
    m_size = pointSize;
  }
  void textOut(int x, int y, std::string_view text) override {
    const int mmX = static_cast<int>(std::lround(x * 72.0 / m_dpiX / 3));
    const int mmY = static_cast<int>(std::lround((y * 72.0 / m_dpiY - (841.89 - 800)) / 2.7));
    texts.push_back({page, mmX, mmY, x, y, std::string(text), m_font, m_size});
  }
  // Every character half an em wide: size / 2 points.
  double textWidth(std::string_view, int pointSize, std::string_view text) override {
    double characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters * pointSize / 2.0 * m_dpiX / 72.0;
  }
  int logPixelsX() const override { return m_dpiX; }
  int logPixelsY() const override { return m_dpiY; }

  // The texts of one page.
  std::vector<PrintedText> onPage(int wanted) const {
    std::vector<PrintedText> result;
    for (const PrintedText& t : texts)
      if (t.page == wanted) result.push_back(t);
    return result;
  }

  std::vector<PrintedText> texts;
  int page = 0;
  int jobsBegun = 0;
  int jobsEnded = 0;
  int jobsAborted = 0;

 private:
  int m_dpiX;
  int m_dpiY;
  bool m_printing = false;
  std::string m_font;
  int m_size = 0;
};

}  // namespace lumora::test
