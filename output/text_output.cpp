#include "output/text_output.h"

#include <cmath>
#include <cstdint>

#include "output/clear.h"
#include "platform/exceptions.h"
#include "platform/utf8.h"

namespace lumora {
namespace {

// What every PDF text asks of the library: the regular face, embedded, in the
// library's code page 2.
constexpr std::int32_t kFontStyle = 1280;
constexpr std::int32_t kCodePage = 2;
constexpr std::int32_t kPageFormatA4 = 1;
// The PDF page's height: A4 in points.
constexpr double kA4HeightPoints = 841.89;
// Points per millimetre across the PDF page.
constexpr double kPdfPointsPerMillimetre = 3.0;

}  // namespace

int pdfYFromMillimetres(int y) {
  // 2.7·y as a double puts some halves just above .5 (y = 175 would give 473),
  // so R(y) is computed on the exact tenths.
  const std::int64_t tenths = std::int64_t{27} * y;
  std::int64_t whole = tenths / 10;
  std::int64_t rest = tenths % 10;
  if (rest < 0) {
    whole -= 1;
    rest += 10;
  }
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) whole += 1;
  return static_cast<int>(800 - whole);
}

int printerPixelsFromPoints(double points, int dotsPerInch) {
  return static_cast<int>(std::lround(points * dotsPerInch / 72.0));
}

TextOutput::TextOutput(const MediumSource& medium, Printer* printer, LibraryLoader& loader,
                       std::u16string libraryName)
    : m_medium(medium),
      m_printer(printer),
      m_loader(loader),
      m_libraryName(std::move(libraryName)) {}

TextOutput::~TextOutput() = default;

void TextOutput::drucke(int x, int y, std::string_view text, std::string_view fontName, int size) {
  if (m_medium.medium() == Medium::Printer) {
    placeOnPrinter(x, y, text, fontName, size);
  } else {
    placeOnPdf(x, y, text, fontName, size);
  }
}

double TextOutput::textWidth(std::string_view text, std::string_view fontName, int size) {
  if (m_medium.medium() == Medium::Printer) {
    if (!m_printer) throw Exception("Kein Drucker verfügbar");
    // Back from device pixels to the PDF's points, as placeOnPrinter goes.
    const double points =
        m_printer->textWidth(fontName, size, clear(text)) * 72.0 / m_printer->logPixelsX();
    return points / kPdfPointsPerMillimetre;
  }
  double points = 0;
  if (!pdfLibrary().pdfMeasureTextW(utf8ToUtf16(fontName), size, utf8ToUtf16(clear(text)),
                                    points)) {
    return 0;
  }
  return points / kPdfPointsPerMillimetre;
}

TPDF& TextOutput::pdfLibrary() {
  // A failed construction stores nothing, so the next PDF text tries again.
  if (!m_pdf) m_pdf = std::make_unique<TPDF>(m_libraryName, m_loader);
  return *m_pdf;
}

void TextOutput::placeOnPdf(int x, int y, std::string_view text, std::string_view fontName,
                            int size) {
  pdfLibrary();
  if (!m_pdf->pdfHaveOpenDoc()) {
    m_pdf->pdfCreateNewPDFA("");
    m_pdf->pdfAppend();
    m_pdf->pdfSetFontW(u"Courier", kFontStyle, /*size=*/15.0, /*embed=*/true, kCodePage);
    m_pdf->pdfSetPageFormat(kPageFormatA4);
  }
  m_pdf->pdfSetFontW(utf8ToUtf16(fontName), kFontStyle, size, /*embed=*/true, kCodePage);
  m_pdf->pdfWriteTextW(kPdfPointsPerMillimetre * x, pdfYFromMillimetres(y),
                       utf8ToUtf16(clear(text)));
}

void TextOutput::placeOnPrinter(int x, int y, std::string_view text, std::string_view fontName,
                                int size) {
  if (!m_printer) throw Exception("Kein Drucker verfügbar");
  // Where the PDF medium puts the text on the paper, at the printer's
  // resolution: a printed page lies on its PDF page.
  const int deviceX = printerPixelsFromPoints(kPdfPointsPerMillimetre * x, m_printer->logPixelsX());
  const int deviceY =
      printerPixelsFromPoints(kA4HeightPoints - pdfYFromMillimetres(y), m_printer->logPixelsY());
  if (!m_printer->printing()) m_printer->beginDoc();
  m_printer->setFont(fontName, size);
  m_printer->textOut(deviceX, deviceY, clear(text));
}

void TextOutput::newPage() {
  if (m_printer && m_printer->printing()) m_printer->newPage();
  if (m_medium.medium() == Medium::Pdf && m_pdf) {
    m_pdf->pdfEndPage();
    m_pdf->pdfAppend();
  }
}

bool TextOutput::finish(const OutputFolder& folder, const std::string& fileName) {
  if (m_printer && m_printer->printing()) {
    // The job bears the name the PDF would have, without ".pdf".
    std::string_view title(fileName);
    title.remove_prefix(title.find_last_of('/') + 1);
    if (title.ends_with(".pdf")) title.remove_suffix(4);
    m_printer->setJobTitle(title);
    m_printer->endDoc();
  }
  if (m_medium.medium() != Medium::Pdf || !m_pdf) return false;
  const std::string path = folder.pathOf(fileName);
  m_pdf->pdfEndPage();
  // A file the user may not write is not replaced; the document is dropped
  // unnamed then.
  const bool protectedFile = folder.writeProtected(fileName);
  int reason = folder.openError();
  const bool named =
      !protectedFile && reason == 0 && m_pdf->pdfOpenOutputFileAtA(folder.descriptor(), fileName);
  if (m_pdf->pdfCloseFile() && named) return true;
  if (protectedFile) throw Exception("Die PDF-Datei ist schreibgeschützt: " + quotedExcerpt(path));
  if (named) reason = m_pdf->closeFileError();
  throw Exception("Die PDF-Datei konnte nicht geschrieben werden: " + quotedExcerpt(path) +
                  (reason != 0 ? " (" + systemErrorText(reason) + ")" : ""));
}

void TextOutput::discardUnfinished() noexcept {
  try {
    if (m_pdf && m_pdf->pdfHaveOpenDoc()) m_pdf->pdfCloseFile();  // no file named: dropped
  } catch (...) {
    // The error that stopped the run is the one the user sees.
  }
  try {
    if (m_printer && m_printer->printing()) m_printer->abortDoc();
  } catch (...) {
  }
}

}  // namespace lumora
