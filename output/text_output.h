#pragma once
// The output surface: drucke places one run of text at a millimetre position
// on the current page of the selected medium, the PDF document or the printer
// page, decoding it with clear first. It starts the PDF document (and makes
// the TPDF object) or the print job when the first text arrives, and it
// carries out the render run's page change and end of document on whichever
// medium is in use, so the run itself never asks which one that is.

#include <memory>
#include <string>
#include <string_view>

#include "pdflib/tpdf.h"
#include "platform/library_loader.h"
#include "platform/output_folder.h"
#include "platform/printer.h"

namespace lumora {

enum class Medium { Pdf, Printer };

// Which medium is selected; asked afresh whenever it matters (in the window,
// the radio buttons "PDF" and "Drucker").
class MediumSource {
 public:
  virtual ~MediumSource() = default;
  virtual Medium medium() const = 0;
};

// The name under which the PDF library is loaded.
inline constexpr std::u16string_view kPdfLibraryName = u"dynapdf.dll";

class TextOutput {
 public:
  // `printer` may be null when only the PDF medium is used.
  TextOutput(const MediumSource& medium, Printer* printer,
             LibraryLoader& loader = systemLibraryLoader(),
             std::u16string libraryName = std::u16string(kPdfLibraryName));
  ~TextOutput();

  // Places `text` (UTF-8) with its top-left corner at
  // (x mm, y mm) from the top left of the page, in `fontName` at `size` points.
  void drucke(int x, int y, std::string_view text, std::string_view fontName, int size);

  // How far `text` (raw, as drucke takes it) reaches across the page in
  // millimetres of the layout when placed in `fontName` at `size` points, on
  // the selected medium. On the PDF medium this makes the TPDF object as the
  // first text would (and fails as it does); 0 when the font is not found.
  double textWidth(std::string_view text, std::string_view fontName, int size);

  // Leaves the current page for a new one: a new printer page while a print
  // job runs, and the next PDF page while the PDF medium is selected and the
  // document has been made.
  void newPage();

  // Ends the document. A running print job ends and so is printed; on the
  // PDF medium the last page is finished and the document written as
  // `fileName` into `folder`. Returns whether a PDF file was written (not
  // when no PDF text was ever placed). Throws Exception "Die PDF-Datei ist
  // schreibgeschützt: <path>" when a file the user may not write stands
  // there, "Die PDF-Datei konnte nicht geschrieben werden: <path>" when the
  // file could not be written. The document is closed either way.
  bool finish(const OutputFolder& folder, const std::string& fileName);

  // The PDF binding; null until the first PDF text.
  TPDF* pdf() const { return m_pdf.get(); }
  Printer* printer() const { return m_printer; }
  void setPrinter(Printer* printer) { m_printer = printer; }

  // After a run that stopped part-way: drops the unfinished PDF document and
  // aborts a running print job, so the next run starts afresh. Never throws.
  void discardUnfinished() noexcept;

 private:
  TPDF& pdfLibrary();
  void placeOnPdf(int x, int y, std::string_view text, std::string_view fontName, int size);
  void placeOnPrinter(int x, int y, std::string_view text, std::string_view fontName, int size);

  const MediumSource& m_medium;
  Printer* m_printer;
  LibraryLoader& m_loader;
  std::u16string m_libraryName;
  std::unique_ptr<TPDF> m_pdf;
};

// PDF y in points for y millimetres from the top: 800 - R(y), R(y) being
// 27·y/10 rounded exactly, a half going to the even neighbour.
int pdfYFromMillimetres(int y);

// Device pixels for a length in PDF points at a resolution in dots per inch
// (rounded).
int printerPixelsFromPoints(double points, int dotsPerInch);

}  // namespace lumora
