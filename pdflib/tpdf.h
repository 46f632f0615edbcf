#pragma once
// TPDF: the run-time binding of the PDF library "dynapdf.dll" (our
// libdynapdf). The library is loaded when the object is made; each method
// looks its library function up by name on its first call and keeps the entry
// point, so the library only needs the functions that are really called.
//
// Failures raise Exception with these texts: "Error: Cannot find <name>",
// "Error loading function: pdfNewPDF", "Out of memory!" and
// Error loading function: "<function>" (the name in double quotes).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/library_loader.h"

namespace lumora {

class TPDF {
 public:
  // Loads the library and creates its document instance.
  explicit TPDF(std::u16string_view libraryFileName, LibraryLoader& loader = systemLibraryLoader());
  ~TPDF();
  TPDF(const TPDF&) = delete;
  TPDF& operator=(const TPDF&) = delete;

  bool pdfHaveOpenDoc();
  bool pdfCreateNewPDFA(std::string_view fileName);
  bool pdfAppend();
  bool pdfSetPageFormat(std::int32_t format);
  // Returns the library's font handle unchanged (negative on failure).
  std::int32_t pdfSetFontW(std::u16string_view fontName, std::int32_t style, double size,
                           bool embed, std::int32_t codePage);
  bool pdfWriteTextW(double x, double y, std::u16string_view text);
  // The width in points of `text` in `fontName` at `size` points, as
  // pdfWriteTextW would set it, into `width`; false when the library cannot
  // tell (the font is not found).
  bool pdfMeasureTextW(std::u16string_view fontName, double size, std::u16string_view text,
                       double& width);
  bool pdfEndPage();
  bool pdfOpenOutputFileA(std::string_view path);
  // The output file as `fileName` inside the open folder `folder` (a file
  // descriptor), wherever that folder is by the time the file is written.
  bool pdfOpenOutputFileAtA(int folder, std::string_view fileName);
  bool pdfCloseFile();
  // Why the last pdfCloseFile wrote nothing: the library's errno value, 0
  // when it gave none.
  int closeFileError() const { return m_closeFileError; }

 private:
  void* bind(void*& slot, const char* name);
  void release() noexcept;

  LibraryLoader& m_loader;
  void* m_instance = nullptr;
  ModuleHandle m_library = nullptr;
  int m_closeFileError = 0;

  // Entry-point cache: one slot per method, filled on its first call.
  struct EntryPoints {
    void* haveOpenDoc = nullptr;
    void* createNewPdf = nullptr;
    void* append = nullptr;
    void* setPageFormat = nullptr;
    void* setFont = nullptr;
    void* writeText = nullptr;
    void* measureText = nullptr;
    void* endPage = nullptr;
    void* openOutputFile = nullptr;
    void* openOutputFileAt = nullptr;
    void* closeFile = nullptr;
  } m_entry;
};

}  // namespace lumora
