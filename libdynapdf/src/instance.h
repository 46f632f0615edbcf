// One PDF-writer instance: makes documents one after the other, each drawn
// page by page and kept in memory until pdfCloseFile writes it. Calls that do not fit the
// document's state are refused with false rather than guessed at.
#ifndef DYNAPDF_INSTANCE_H
#define DYNAPDF_INSTANCE_H

#include <cstdint>
#include <optional>

#include "document.h"
#include "fallback_text.h"
#include "font_registry.h"

struct DynaPdfInstance {
 public:
  bool haveOpenDoc() const { return m_document.has_value(); }
  bool createNewPdf(const char* fileName);
  bool append();
  bool setPageFormat(int32_t format);
  int32_t setFont(const char16_t* name, double size);
  bool writeText(double x, double y, const char16_t* text);
  bool measureText(const char16_t* fontName, double size, const char16_t* text, double* width);
  bool endPage();
  bool openOutputFile(const char* path);
  bool openOutputFileAt(int32_t folder, const char* name);
  bool closeFile();
  // Why the last closeFile() wrote nothing, as an errno value.
  int closeError() const { return m_closeError; }

  // After an unexpected failure (out of memory) the open document is not to
  // be trusted: it takes no more text and will not be written.
  void markFailed() noexcept;

 private:
  dynapdf::Document* usableDocument();
  void drawOpenPage(dynapdf::Document& document);
  double widthOf(int font, const std::string& utf8);

  dynapdf::FontRegistry m_fonts;
  dynapdf::FallbackText m_fallback;
  std::optional<dynapdf::Document> m_document;
  int m_closeError = 0;
};

#endif
