#include "instance.h"

#include <cerrno>
#include <cmath>

#include "atomic_file.h"
#include "pdf_renderer.h"
#include "utf16.h"

using dynapdf::Document;

namespace {

constexpr int32_t kFormatA4Portrait = 1;

}  // namespace

Document* DynaPdfInstance::usableDocument() {
  if (!m_document || m_document->failed) return nullptr;
  return &*m_document;
}

void DynaPdfInstance::markFailed() noexcept {
  if (m_document) m_document->failed = true;
}

bool DynaPdfInstance::createNewPdf(const char* fileName) {
  if (fileName == nullptr) return false;
  m_document.reset();
  m_document.emplace();
  m_document->outputPath = fileName;
  return true;
}

bool DynaPdfInstance::append() {
  Document* document = usableDocument();
  if (document == nullptr || document->pageOpen) return false;
  document->openPage.clear();
  document->pageOpen = true;
  document->hasPage = true;
  return true;
}

bool DynaPdfInstance::setPageFormat(int32_t format) {
  Document* document = usableDocument();
  if (document == nullptr || format != kFormatA4Portrait) return false;
  document->pageSize = dynapdf::kA4Portrait;
  return true;
}

int32_t DynaPdfInstance::setFont(const char16_t* name, double size) {
  Document* document = usableDocument();
  if (document == nullptr || name == nullptr) return -1;
  const std::string family = dynapdf::utf16ToUtf8(name);
  if (family.empty() || !std::isfinite(size) || size <= 0) return -1;
  const int handle = m_fonts.select(family, size);
  if (handle < 0) {
    // No font of any kind could be found: the text that follows would be
    // missing from the page, so the document must not pass for complete.
    document->fontMissing = true;
    return -1;
  }
  document->currentFont = handle;
  return handle;
}

bool DynaPdfInstance::writeText(double x, double y, const char16_t* text) {
  Document* document = usableDocument();
  if (document == nullptr || !document->pageOpen || document->currentFont < 0 || text == nullptr ||
      !std::isfinite(x) || !std::isfinite(y)) {
    return false;
  }
  std::string utf8 = dynapdf::utf16ToUtf8(text);
  const bool plain = m_fonts.drawsAlone(document->currentFont, utf8);
  document->openPage.push_back({document->currentFont, x, y, std::move(utf8), plain});
  return true;
}

bool DynaPdfInstance::measureText(const char16_t* fontName, double size, const char16_t* text,
                                  double* width) {
  if (fontName == nullptr || text == nullptr || width == nullptr) return false;
  const int font = m_fonts.select(dynapdf::utf16ToUtf8(fontName), size);
  if (font < 0) return false;
  *width = widthOf(font, dynapdf::utf16ToUtf8(text));
  return true;
}

double DynaPdfInstance::widthOf(int font, const std::string& utf8) {
  if (!m_fonts.drawsAlone(font, utf8)) {
    const dynapdf::FontChoice& choice = m_fonts.at(font);
    if (const auto width = m_fallback.width(choice.face->family, choice.size, utf8)) return *width;
  }
  // As cairo draws it alone: without the text module, boxes stand for the
  // missing glyphs.
  return m_fonts.plainWidth(font, utf8);
}

bool DynaPdfInstance::endPage() {
  Document* document = usableDocument();
  if (document == nullptr || !document->pageOpen) return false;
  drawOpenPage(*document);
  return true;
}

void DynaPdfInstance::drawOpenPage(Document& document) {
  if (!document.drawing)
    document.drawing = std::make_shared<dynapdf::PageStream>(m_fonts, m_fallback);
  document.drawing->addPage(document.openPage, document.pageSize);
  document.pageOpen = false;
  document.openPage.clear();
  document.openPage.shrink_to_fit();
}

bool DynaPdfInstance::openOutputFile(const char* path) {
  Document* document = usableDocument();
  if (document == nullptr || path == nullptr || *path == '\0') return false;
  document->outputPath = path;
  document->outputFolder = dynapdf::Descriptor();
  return true;
}

bool DynaPdfInstance::openOutputFileAt(int32_t folder, const char* name) {
  Document* document = usableDocument();
  if (document == nullptr || name == nullptr || *name == '\0') return false;
  dynapdf::Descriptor copy = dynapdf::copyFolderDescriptor(folder);
  if (!copy.valid()) return false;
  document->outputPath = name;
  document->outputFolder = std::move(copy);
  return true;
}

bool DynaPdfInstance::closeFile() {
  // The document is closed whatever happens below.
  std::optional<Document> document = std::move(m_document);
  m_document.reset();
  m_closeError = EINVAL;
  if (!document || document->outputPath.empty() || !document->hasPage) return false;
  if (document->failed) {
    m_closeError = ENOMEM;
    return false;
  }
  if (document->fontMissing) {
    m_closeError = 0;  // not a failure of the system
    return false;
  }
  dynapdf::Descriptor folder = std::move(document->outputFolder);
  std::string name = document->outputPath;
  if (!folder.valid()) {
    folder = dynapdf::openFolderOf(name);
    if (!folder.valid()) {
      m_closeError = errno;
      return false;
    }
    name.erase(0, name.rfind('/') + 1);  // the bare name; one without a slash stays whole
  }
  if (document->pageOpen) drawOpenPage(*document);
  dynapdf::AtomicFile file(folder.get(), name);
  if (file.open() && document->drawing->finish(file) && file.commit()) {
    m_closeError = 0;
    return true;
  }
  m_closeError = file.error() != 0 ? file.error() : EIO;
  return false;
}
