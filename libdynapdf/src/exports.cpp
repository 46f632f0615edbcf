// The exported C functions. Each one refuses a null instance and catches
// everything, so no exception ever crosses into the caller's code.
#include <cerrno>
#include <new>

#include "dynapdf.h"
#include "instance.h"

namespace {

template <typename Call>
int32_t guarded(DynaPdfInstance* pdf, int32_t failure, Call call) noexcept {
  if (pdf == nullptr) return failure;
  try {
    return call(*pdf);
  } catch (...) {
    pdf->markFailed();
    return failure;
  }
}

int32_t asResult(bool ok) {
  return ok ? 1 : 0;
}

}  // namespace

extern "C" {

DYNAPDF_API DynaPdfInstance* pdfNewPDF(void) {
  return new (std::nothrow) DynaPdfInstance();
}

DYNAPDF_API int32_t pdfDeletePDF(DynaPdfInstance* pdf) {
  if (pdf == nullptr) return 0;
  delete pdf;
  return 1;
}

DYNAPDF_API int32_t pdfHaveOpenDoc(DynaPdfInstance* pdf) {
  return guarded(pdf, 0, [](DynaPdfInstance& p) { return asResult(p.haveOpenDoc()); });
}

DYNAPDF_API int32_t pdfCreateNewPDFA(DynaPdfInstance* pdf, const char* fileName) {
  return guarded(pdf, 0, [&](DynaPdfInstance& p) { return asResult(p.createNewPdf(fileName)); });
}

DYNAPDF_API int32_t pdfAppend(DynaPdfInstance* pdf) {
  return guarded(pdf, 0, [](DynaPdfInstance& p) { return asResult(p.append()); });
}

DYNAPDF_API int32_t pdfSetPageFormat(DynaPdfInstance* pdf, int32_t format) {
  return guarded(pdf, 0, [&](DynaPdfInstance& p) { return asResult(p.setPageFormat(format)); });
}

DYNAPDF_API int32_t pdfSetFontW(DynaPdfInstance* pdf, const char16_t* name, int32_t /*style*/,
                                double size, int32_t /*embed*/, int32_t /*codePage*/) {
  return guarded(pdf, -1, [&](DynaPdfInstance& p) { return p.setFont(name, size); });
}

DYNAPDF_API int32_t pdfWriteTextW(DynaPdfInstance* pdf, double x, double y, const char16_t* text) {
  return guarded(pdf, 0, [&](DynaPdfInstance& p) { return asResult(p.writeText(x, y, text)); });
}

DYNAPDF_API int32_t pdfMeasureTextW(DynaPdfInstance* pdf, const char16_t* fontName, double size,
                                    const char16_t* text, double* width) {
  return guarded(pdf, 0, [&](DynaPdfInstance& p) {
    return asResult(p.measureText(fontName, size, text, width));
  });
}

DYNAPDF_API int32_t pdfEndPage(DynaPdfInstance* pdf) {
  return guarded(pdf, 0, [](DynaPdfInstance& p) { return asResult(p.endPage()); });
}

DYNAPDF_API int32_t pdfOpenOutputFileA(DynaPdfInstance* pdf, const char* path) {
  return guarded(pdf, 0, [&](DynaPdfInstance& p) { return asResult(p.openOutputFile(path)); });
}

DYNAPDF_API int32_t pdfOpenOutputFileAtA(DynaPdfInstance* pdf, int32_t folder, const char* name) {
  return guarded(pdf, 0,
                 [&](DynaPdfInstance& p) { return asResult(p.openOutputFileAt(folder, name)); });
}

DYNAPDF_API int32_t pdfCloseFile(DynaPdfInstance* pdf) {
  const int32_t result =
      guarded(pdf, 0, [](DynaPdfInstance& p) { return asResult(p.closeFile()); });
  // The reason goes out last, after every clean-up that might touch errno.
  if (result == 0) errno = pdf == nullptr ? EINVAL : pdf->closeError();
  return result;
}

}  // extern "C"
