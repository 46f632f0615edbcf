#pragma once
// The printer as the output surface sees it: one job of pages, a font chosen
// by name and size, text placed with its top-left corner at a device
// position, and the width a text will take. Texts are UTF-8. The window
// supplies the real printer; tests record the calls.

#include <string_view>

namespace lumora {

class Printer {
 public:
  virtual ~Printer() = default;

  // Whether a print job is running.
  virtual bool printing() const = 0;
  virtual void beginDoc() = 0;
  virtual void newPage() = 0;
  // Ends the job; the printer then prints it.
  virtual void endDoc() = 0;
  // Drops the running job without printing it.
  virtual void abortDoc() = 0;
  // The name the print queue shows for the running job ("Beleg-<nr>").
  virtual void setJobTitle(std::string_view /*title*/) {}

  virtual void setFont(std::string_view family, int pointSize) = 0;
  // Draws `text` with its top-left corner at device pixel (x, y), counted
  // from the top left of the paper.
  virtual void textOut(int x, int y, std::string_view text) = 0;
  // How many device pixels `text` advances in `family` at `pointSize`, as
  // textOut draws it; the current font stays as it is.
  virtual double textWidth(std::string_view family, int pointSize, std::string_view text) = 0;

  // Dots per inch across and down.
  virtual int logPixelsX() const = 0;
  virtual int logPixelsY() const = 0;
};

}  // namespace lumora
