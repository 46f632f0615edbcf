#include "pdf_renderer.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <limits>

namespace dynapdf {
namespace {

constexpr const char* kCreator = "Lumora E-Viewer";

}  // namespace

PageStream::~PageStream() {
  // A document that is not written: whatever cairo still writes is dropped.
  m_file = nullptr;
  if (m_cr != nullptr) cairo_destroy(m_cr);
  if (m_surface != nullptr) cairo_surface_destroy(m_surface);
}

// cairo calls this from C code, so nothing may be thrown from here.
cairo_status_t PageStream::receive(void* closure, const unsigned char* data, unsigned int length) {
  auto* stream = static_cast<PageStream*>(closure);
  if (stream->m_file != nullptr) {
    return stream->m_file->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  }
  try {
    stream->hold(data, length);
  } catch (...) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

void PageStream::hold(const unsigned char* data, std::size_t length) {
  while (length > 0) {
    if (m_held.empty() || m_held.back().size() == kHeldBlockSize) {
      m_held.emplace_back().reserve(kHeldBlockSize);
    }
    std::string& block = m_held.back();
    const std::size_t taken = std::min(length, kHeldBlockSize - block.size());
    block.append(reinterpret_cast<const char*>(data), taken);
    data += taken;
    length -= taken;
  }
}

bool PageStream::usable() const {
  return cairo_status(m_cr) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS;
}

void PageStream::addPage(const std::vector<TextRun>& runs, PageSize size) {
  if (m_surface == nullptr) {
    m_surface = cairo_pdf_surface_create_for_stream(receive, this, size.width, size.height);
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, kCreator);
    m_cr = cairo_create(m_surface);
    cairo_set_source_rgb(m_cr, 0, 0, 0);
    m_size = size;
  } else if (size.width != m_size.width || size.height != m_size.height) {
    cairo_pdf_surface_set_size(m_surface, size.width, size.height);
    m_size = size;
  }
  // After a failure cairo draws nothing more; finish() reports it.
  if (!usable()) return;
  for (const TextRun& run : runs) draw(run, size.height);
  flushPlain();
  cairo_show_page(m_cr);
}

void PageStream::select(int handle) {
  // The scaled font the layout measured with: the same unhinted widths, and
  // its glyphs are loaded already.
  cairo_set_scaled_font(m_cr, m_fonts.scaledFont(handle));
  cairo_font_extents_t extents;
  cairo_font_extents(m_cr, &extents);
  m_font = handle;
  m_ascent = extents.ascent;
}

// The font is set only when it changes, as most runs of an invoice share one.
void PageStream::draw(const TextRun& run, double pageHeight) {
  if (run.font != m_font) {
    flushPlain();
    select(run.font);
  }
  // The caller's y marks the top of the text, measured upwards; cairo
  // measures downwards from the top and draws from the baseline, one ascent
  // of the chosen font lower, whichever fonts the text module falls back on.
  const double baseline = pageHeight - run.y + m_ascent;
  if (run.plain) {
    drawPlain(run, baseline);
    return;
  }
  flushPlain();
  cairo_move_to(m_cr, run.x, baseline);
  const FontChoice& font = m_fonts.at(run.font);
  // The module sets its own fonts on the context.
  m_font = -1;
  if (m_fallback.draw(m_cr, font.face->family, font.size, run.utf8)) return;
  select(run.font);
  cairo_show_text(m_cr, run.utf8.c_str());
}

// As cairo_show_text would, but gathered with the plain texts before it.
void PageStream::drawPlain(const TextRun& run, double baseline) {
  cairo_glyph_t* glyphs = nullptr;
  int glyphCount = 0;
  cairo_text_cluster_t* clusters = nullptr;
  int clusterCount = 0;
  cairo_text_cluster_flags_t flags{};
  const int length = static_cast<int>(run.utf8.size());
  const cairo_status_t status = cairo_scaled_font_text_to_glyphs(
      cairo_get_scaled_font(m_cr), run.x, baseline, run.utf8.data(), length, &glyphs, &glyphCount,
      &clusters, &clusterCount, &flags);
  if (status == CAIRO_STATUS_SUCCESS && flags == 0) {
    // cairo counts a text's bytes in an int.
    if (m_plainText.size() + run.utf8.size() > std::numeric_limits<int>::max()) flushPlain();
    m_plainText += run.utf8;
    m_plainGlyphs.insert(m_plainGlyphs.end(), glyphs, glyphs + glyphCount);
    m_plainClusters.insert(m_plainClusters.end(), clusters, clusters + clusterCount);
  } else {
    // Drawn alone; an error puts the context in error as it would anyway.
    flushPlain();
    cairo_move_to(m_cr, run.x, baseline);
    cairo_show_text(m_cr, run.utf8.c_str());
  }
  cairo_glyph_free(glyphs);
  cairo_text_cluster_free(clusters);
}

void PageStream::flushPlain() {
  if (!m_plainGlyphs.empty()) {
    cairo_show_text_glyphs(m_cr, m_plainText.data(), static_cast<int>(m_plainText.size()),
                           m_plainGlyphs.data(), static_cast<int>(m_plainGlyphs.size()),
                           m_plainClusters.data(), static_cast<int>(m_plainClusters.size()),
                           cairo_text_cluster_flags_t{});
  }
  m_plainText.clear();
  m_plainGlyphs.clear();
  m_plainClusters.clear();
}

bool PageStream::finish(AtomicFile& file) {
  if (m_surface == nullptr || !usable()) return false;
  for (std::string& block : m_held) {
    if (!file.write(reinterpret_cast<const unsigned char*>(block.data()), block.size())) {
      return false;
    }
    std::string().swap(block);
  }
  m_held.clear();
  m_file = &file;
  cairo_destroy(m_cr);
  m_cr = nullptr;
  cairo_surface_finish(m_surface);
  const bool written = cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS;
  m_file = nullptr;
  return written;
}

}  // namespace dynapdf
