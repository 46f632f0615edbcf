#pragma once
// PDFs that carry files, made with qpdf for the tests: a blank page and the
// given attachments, listed where a PDF lists them.

#include <string>
#include <vector>

namespace lumora::test {

struct Attachment {
  std::string name;
  std::string bytes;
  std::string subtype = "text/xml";
};

// Where the PDF lists its files and how it is written, as flags.
enum PdfShape : unsigned {
  kNameTree = 1,         // in the EmbeddedFiles name tree
  kAssociatedFiles = 2,  // in the catalogue's /AF
  kObjectStreams = 4,    // objects packed into object streams (PDF 1.5)
  kEncrypted = 8,        // AES-256, opened with the user password given
};

std::string makePdf(const std::vector<Attachment>& attachments,
                    unsigned shape = kNameTree | kAssociatedFiles,
                    const std::string& userPassword = "");

// A PDF whose one attachment decodes to `size` zero bytes from a few
// kilobytes of deflated data.
std::string makeInflatingPdf(const std::string& name, std::size_t size);

// A PDF whose EmbeddedFiles name tree is its own child.
std::string makeLoopingNameTreePdf();

}  // namespace lumora::test
