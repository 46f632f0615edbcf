// Turns a finished document into PDF bytes with cairo's PDF surface. cairo
// embeds each font as a subset of the glyphs used and keeps the text
// extractable. Texts that are not plain go through the text module.
#ifndef DYNAPDF_PDF_RENDERER_H
#define DYNAPDF_PDF_RENDERER_H

#include "atomic_file.h"
#include "document.h"
#include "fallback_text.h"
#include "font_registry.h"

namespace dynapdf {

// Draws every page of the document into the file. False when cairo or the
// file reports an error; the file is then incomplete and must be discarded.
bool renderPdf(const Document& document, const FontRegistry& fonts, FallbackText& fallback,
               AtomicFile& file);

}  // namespace dynapdf

#endif
