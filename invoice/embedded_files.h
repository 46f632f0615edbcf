#pragma once
// The files a PDF carries: the document's EmbeddedFiles name tree and its
// associated files (/AF of the catalogue), in that order, each file once.
//
// The PDF is read by qpdf in a module of its own that is loaded on the first
// PDF, so that a run on an XML invoice does not pay for loading it. qpdf
// repairs what it can; what it cannot read ends in one of the messages
// below, never in a crash. Bounded: at most kMostEmbeddedFiles are listed,
// and no file is decoded beyond kMostEmbeddedFileBytes, so that a small
// hostile PDF cannot make the program work for long or hold much memory.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "invoice/invoice.h"

namespace lumora {

inline constexpr std::string_view kPdfEncrypted =
    "Die PDF-Datei ist verschlüsselt; ohne Kennwort kann sie nicht gelesen werden";
inline constexpr std::string_view kPdfDamaged = "Die PDF-Datei ist beschädigt";

inline constexpr std::size_t kMostEmbeddedFiles = 1000;
inline constexpr std::size_t kMostEmbeddedFileBytes = kMostAttachmentBytes;

struct EmbeddedFile {
  std::string name;     // the file name it carries (UTF-8), else its key in the name tree
  std::string subtype;  // its MIME type as declared ("text/xml"), often empty
};

// One opened PDF. Nothing of it throws: it may live in the loaded module.
class EmbeddedFiles {
 public:
  virtual ~EmbeddedFiles() = default;

  virtual const std::vector<EmbeddedFile>& files() const = 0;

  // What the PDF library found broken while listing the files (in its
  // words), empty for a sound PDF. A repaired PDF lists what could be read.
  virtual const std::string& damage() const = 0;

  // The decoded bytes of files()[index] into `bytes`; false with the
  // program's message in `error` when the file holds more than
  // kMostEmbeddedFileBytes or cannot be decoded.
  virtual bool read(std::size_t index, std::string& bytes, std::string& error) const = 0;
};

// Opens the PDF at `path` through the module. Throws InOutError when the
// file cannot be opened, Exception(kPdfEncrypted or kPdfDamaged + ": " +
// reason) when it is no PDF that can be read, and Exception when the module
// cannot be loaded.
std::unique_ptr<EmbeddedFiles> openEmbeddedFiles(const std::string& path);

// The decoded bytes of files()[index]; throws Exception with read's message.
std::string embeddedFileContents(const EmbeddedFiles& pdf, std::size_t index);

// Whether the bytes at the start of a file make it a PDF: "%PDF-" within
// the first 1024 bytes, before anything that starts XML markup.
bool startsLikePdf(std::string_view head);

// Whether the file at `path` starts like a PDF. Throws InOutError when it
// cannot be opened or read.
bool isPdfFile(const std::string& path);

}  // namespace lumora
