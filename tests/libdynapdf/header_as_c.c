/* Compiled as C: the public header must serve C callers as well. */
#include "dynapdf.h"

int dynapdfUsableFromC(void);

int dynapdfUsableFromC(void) {
  static const char16_t name[] = {'A', 'r', 'i', 'a', 'l', 0};
  DynaPdfInstance* pdf = pdfNewPDF();
  int ok = pdf != 0 && pdfCreateNewPDFA(pdf, "") && pdfAppend(pdf) &&
           pdfSetFontW(pdf, name, 1280, 8.0, -1, 2) >= 0 && pdfHaveOpenDoc(pdf) &&
           !pdfCloseFile(pdf) && !pdfHaveOpenDoc(pdf);
  return pdfDeletePDF(pdf) && ok;
}
