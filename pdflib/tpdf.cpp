#include "pdflib/tpdf.h"

#include <cerrno>
#include <cstdio>

#include "dynapdf.h"
#include "platform/codepage.h"
#include "platform/exceptions.h"

namespace lumora {
namespace {

// The library's calling forms, exactly as its header declares them: the
// instance first, 32-bit integers, doubles for positions and sizes, -1/0 for
// booleans, zero-terminated strings. A call through any other function type
// is undefined, even where the machine code would agree.
using Instance = DynaPdfInstance*;
using NewPdfFn = decltype(&::pdfNewPDF);
using DeletePdfFn = decltype(&::pdfDeletePDF);
using InstanceFn = decltype(&::pdfHaveOpenDoc);
using AnsiStringFn = decltype(&::pdfCreateNewPDFA);
using IntFn = decltype(&::pdfSetPageFormat);
using SetFontFn = decltype(&::pdfSetFontW);
using WriteTextFn = decltype(&::pdfWriteTextW);
using FolderFileFn = decltype(&::pdfOpenOutputFileAtA);
using MeasureTextFn = decltype(&::pdfMeasureTextW);

template <typename Fn>
Fn as(void* entry) {
  return reinterpret_cast<Fn>(entry);
}

// The instance as the library's functions take it.
Instance handle(void* instance) {
  return static_cast<Instance>(instance);
}

}  // namespace

TPDF::TPDF(std::u16string_view libraryFileName, LibraryLoader& loader) : m_loader(loader) {
  try {
    m_library = m_loader.load(libraryFileName);
    if (!m_library) {
      // The message stays the binding's own; why the loader failed (not
      // found, or found but a library it needs is missing) goes to stderr.
      const std::string message = "Error: Cannot find " + utf16ToCp1252(libraryFileName);
      if (const std::string detail = m_loader.loadError(); !detail.empty()) {
        std::fprintf(stderr, "%s: %s\n", message.c_str(), detail.c_str());
      }
      throw Exception(message);
    }
    void* newPdf = m_loader.symbol(m_library, "pdfNewPDF");
    if (!newPdf) throw Exception("Error loading function: pdfNewPDF");
    m_instance = as<NewPdfFn>(newPdf)();
    if (!m_instance) throw Exception("Out of memory!");
  } catch (...) {
    release();
    throw;
  }
}

TPDF::~TPDF() {
  release();
}

void TPDF::release() noexcept {
  if (!m_library) return;
  // Without an instance there is nothing to delete.
  if (m_instance) {
    if (void* deletePdf = m_loader.symbol(m_library, "pdfDeletePDF")) {
      as<DeletePdfFn>(deletePdf)(handle(m_instance));
    }
    m_instance = nullptr;
  }
  m_loader.unload(m_library);
  m_library = nullptr;
}

void* TPDF::bind(void*& slot, const char* name) {
  if (slot) return slot;
  slot = m_loader.symbol(m_library, name);
  if (!slot) throw Exception(std::string("Error loading function: \"") + name + "\"");
  return slot;
}

bool TPDF::pdfHaveOpenDoc() {
  return as<InstanceFn>(bind(m_entry.haveOpenDoc, "pdfHaveOpenDoc"))(handle(m_instance)) != 0;
}

bool TPDF::pdfCreateNewPDFA(std::string_view fileName) {
  const std::string name(fileName);  // zero-terminated, never a null pointer
  return as<AnsiStringFn>(bind(m_entry.createNewPdf, "pdfCreateNewPDFA"))(handle(m_instance),
                                                                          name.c_str()) != 0;
}

bool TPDF::pdfAppend() {
  return as<InstanceFn>(bind(m_entry.append, "pdfAppend"))(handle(m_instance)) != 0;
}

bool TPDF::pdfSetPageFormat(std::int32_t format) {
  return as<IntFn>(bind(m_entry.setPageFormat, "pdfSetPageFormat"))(handle(m_instance), format) !=
         0;
}

std::int32_t TPDF::pdfSetFontW(std::u16string_view fontName, std::int32_t style, double size,
                               bool embed, std::int32_t codePage) {
  const std::u16string name(fontName);
  return as<SetFontFn>(bind(m_entry.setFont, "pdfSetFontW"))(handle(m_instance), name.c_str(),
                                                             style, size, embed ? -1 : 0, codePage);
}

bool TPDF::pdfWriteTextW(double x, double y, std::u16string_view text) {
  const std::u16string content(text);
  return as<WriteTextFn>(bind(m_entry.writeText, "pdfWriteTextW"))(handle(m_instance), x, y,
                                                                   content.c_str()) != 0;
}

bool TPDF::pdfMeasureTextW(std::u16string_view fontName, double size, std::u16string_view text,
                           double& width) {
  const std::u16string name(fontName);
  const std::u16string content(text);
  return as<MeasureTextFn>(bind(m_entry.measureText, "pdfMeasureTextW"))(
             handle(m_instance), name.c_str(), size, content.c_str(), &width) != 0;
}

bool TPDF::pdfEndPage() {
  return as<InstanceFn>(bind(m_entry.endPage, "pdfEndPage"))(handle(m_instance)) != 0;
}

bool TPDF::pdfOpenOutputFileA(std::string_view path) {
  const std::string name(path);
  return as<AnsiStringFn>(bind(m_entry.openOutputFile, "pdfOpenOutputFileA"))(handle(m_instance),
                                                                              name.c_str()) != 0;
}

bool TPDF::pdfOpenOutputFileAtA(int folder, std::string_view fileName) {
  const std::string name(fileName);
  return as<FolderFileFn>(bind(m_entry.openOutputFileAt, "pdfOpenOutputFileAtA"))(
             handle(m_instance), folder, name.c_str()) != 0;
}

bool TPDF::pdfCloseFile() {
  const auto closeFile = as<InstanceFn>(bind(m_entry.closeFile, "pdfCloseFile"));
  // The library leaves the reason of a failure in errno.
  errno = 0;
  const bool written = closeFile(handle(m_instance)) != 0;
  m_closeFileError = written ? 0 : errno;
  return written;
}

}  // namespace lumora
