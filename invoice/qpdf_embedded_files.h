#pragma once
// EmbeddedFiles read by qpdf. Linked into the embedded-files module (and
// into the fuzz target and the tests that look at qpdf's side directly);
// the program itself reaches it through openEmbeddedFiles().

#include <memory>
#include <string>
#include <string_view>

#include "invoice/embedded_files.h"

namespace lumora {

// Throws InOutError when the file cannot be opened, Exception(kPdfEncrypted
// or kPdfDamaged + ": " + reason) when it is no PDF that can be read.
std::unique_ptr<EmbeddedFiles> readPdfEmbeddedFiles(const std::string& path);

// The same for a PDF in memory; `bytes` must outlive the result.
std::unique_ptr<EmbeddedFiles> readPdfEmbeddedFilesFromMemory(std::string_view bytes);

}  // namespace lumora
