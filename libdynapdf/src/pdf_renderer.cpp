#include "pdf_renderer.h"

#include <cairo-pdf.h>

#include <memory>

namespace dynapdf {
namespace {

constexpr const char* kCreator = "Lumora E-Viewer";

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// cairo calls this from C code, so nothing may be thrown from here.
cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
  auto* file = static_cast<AtomicFile*>(closure);
  return file->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// Draws the runs of a document; the font is set only when it changes, as
// most runs of an invoice share one.
class RunPainter {
 public:
  RunPainter(cairo_t* cr, const FontRegistry& fonts, FallbackText& fallback, double pageHeight)
      : m_cr(cr), m_fonts(fonts), m_fallback(fallback), m_pageHeight(pageHeight) {}

  void draw(const TextRun& run) {
    if (run.font != m_font) select(run.font);
    // The caller's y marks the top of the text, measured upwards; cairo
    // measures downwards from the top and draws from the baseline, one ascent
    // of the chosen font lower, whichever fonts the text module falls back on.
    cairo_move_to(m_cr, run.x, m_pageHeight - run.y + m_ascent);
    if (!run.plain) {
      const FontChoice& font = m_fonts.at(run.font);
      // The module sets its own fonts on the context.
      m_font = -1;
      if (m_fallback.draw(m_cr, font.face->family, font.size, run.utf8)) return;
      select(run.font);
    }
    cairo_show_text(m_cr, run.utf8.c_str());
  }

 private:
  void select(int handle) {
    const FontChoice& font = m_fonts.at(handle);
    cairo_set_font_face(m_cr, font.face->face.get());
    cairo_set_font_size(m_cr, font.size);
    cairo_font_extents_t extents;
    cairo_font_extents(m_cr, &extents);
    m_font = handle;
    m_ascent = extents.ascent;
  }

  cairo_t* m_cr;
  const FontRegistry& m_fonts;
  FallbackText& m_fallback;
  double m_pageHeight;
  int m_font = -1;
  double m_ascent = 0;
};

}  // namespace

bool renderPdf(const Document& document, const FontRegistry& fonts, FallbackText& fallback,
               AtomicFile& file) {
  const PageSize size = document.pageSize;
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
      cairo_pdf_surface_create_for_stream(writeToFile, &file, size.width, size.height));
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, kCreator);
  {
    std::unique_ptr<cairo_t, ContextRelease> cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    RunPainter painter(cr.get(), fonts, fallback, size.height);
    for (const Page& page : document.pages) {
      for (const TextRun& run : page.runs) painter.draw(run);
      cairo_show_page(cr.get());
      // A failed write leaves the surface in error; stop drawing the rest.
      if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS ||
          cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
      }
    }
  }
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace dynapdf
