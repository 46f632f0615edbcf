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

struct PdfShape {
  bool nameTree = true;         // in the EmbeddedFiles name tree
  bool associatedFiles = true;  // in the catalogue's /AF
  bool objectStreams = false;   // objects packed into object streams (PDF 1.5)
  bool encrypted = false;       // AES-256, opened with `userPassword`
  std::string userPassword;

  static PdfShape listedIn(bool nameTree, bool associatedFiles) {
    PdfShape shape;
    shape.nameTree = nameTree;
    shape.associatedFiles = associatedFiles;
    return shape;
  }
  PdfShape& packed() {
    objectStreams = true;
    return *this;
  }
  PdfShape& encryptedWith(std::string password) {
    encrypted = true;
    userPassword = std::move(password);
    return *this;
  }
};

std::string makePdf(const std::vector<Attachment>& attachments, const PdfShape& shape = {});

// A PDF whose one attachment decodes to `size` zero bytes from a few
// kilobytes of deflated data.
std::string makeInflatingPdf(const std::string& name, std::size_t size);

// A PDF whose EmbeddedFiles name tree is its own child.
std::string makeLoopingNameTreePdf();

}  // namespace lumora::test
