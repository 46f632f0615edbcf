// Draws a document's pages with cairo's PDF surface as they end, so only the
// page being written is kept as text runs. cairo embeds each font as a
// subset of the glyphs used and keeps the text extractable. Texts that are
// not plain go through the text module.
//
// The PDF's bytes are held, compressed, until the document is written: the
// output file is named only at the end, and a document that is never written
// must leave no file behind.
#ifndef DYNAPDF_PDF_RENDERER_H
#define DYNAPDF_PDF_RENDERER_H

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "document.h"
#include "fallback_text.h"
#include "font_registry.h"

namespace dynapdf {

class PageStream {
 public:
  PageStream(FontRegistry& fonts, FallbackText& fallback) : m_fonts(fonts), m_fallback(fallback) {}
  PageStream(const PageStream&) = delete;
  PageStream& operator=(const PageStream&) = delete;
  ~PageStream();

  // Draws one finished page. A failure of cairo is kept for finish().
  void addPage(const std::vector<TextRun>& runs, PageSize size);
  // Writes the pages drawn so far and the rest of the PDF into the file.
  // False when cairo or the file reports an error; the file is then
  // incomplete and must be discarded.
  bool finish(AtomicFile& file);

 private:
  static constexpr std::size_t kHeldBlockSize = 1 << 20;

  static cairo_status_t receive(void* closure, const unsigned char* data, unsigned int length);
  void hold(const unsigned char* data, std::size_t length);
  bool usable() const;
  void select(int handle);
  void draw(const TextRun& run, double pageHeight);
  void drawPlain(const TextRun& run, double baseline);
  void flushPlain();

  FontRegistry& m_fonts;
  FallbackText& m_fallback;
  cairo_surface_t* m_surface = nullptr;
  cairo_t* m_cr = nullptr;
  PageSize m_size{};
  // Bytes cairo wrote before the file was there, in blocks that are filled
  // before the next is made, so the room held stays near the bytes.
  std::vector<std::string> m_held;
  AtomicFile* m_file = nullptr;  // where cairo's bytes go once finish() runs
  int m_font = -1;               // the font set on the context; -1 when unknown
  double m_ascent = 0;
  // Plain texts in one font, drawn as one operation: cairo's cost per
  // operation, not per glyph, dominates a page of many short texts.
  std::string m_plainText;
  std::vector<cairo_glyph_t> m_plainGlyphs;
  std::vector<cairo_text_cluster_t> m_plainClusters;
};

}  // namespace dynapdf

#endif
