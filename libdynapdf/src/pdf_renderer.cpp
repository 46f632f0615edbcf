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

void drawRun(cairo_t* cr, const TextRun& run, const FontChoice& font, double pageHeight) {
  cairo_set_font_face(cr, font.face);
  cairo_set_font_size(cr, font.size);
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  // The caller's y marks the top of the text, measured upwards; cairo measures
  // downwards from the top and draws from the baseline, one ascent lower.
  cairo_move_to(cr, run.x, pageHeight - run.y + extents.ascent);
  cairo_show_text(cr, run.utf8.c_str());
}

}  // namespace

bool renderPdf(const Document& document, const FontRegistry& fonts, AtomicFile& file) {
  const PageSize size = document.pageSize;
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
      cairo_pdf_surface_create_for_stream(writeToFile, &file, size.width, size.height));
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, kCreator);
  {
    std::unique_ptr<cairo_t, ContextRelease> cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    for (const Page& page : document.pages) {
      for (const TextRun& run : page.runs) drawRun(cr.get(), run, fonts.at(run.font), size.height);
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
