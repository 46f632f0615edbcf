#pragma once
// The module that reads PDFs with qpdf and the program agree on one entry
// point; its name carries a version so that a module of another build is
// refused rather than misused.

#include <string>

#include "invoice/embedded_files.h"

namespace lumora {

// Looked for beside the program, then in its private library folder.
inline constexpr char16_t kEmbeddedFilesModule[] = u"lumora-embedded-files.so";

// Opens the PDF at `path`: a new object the caller owns, or null with the
// message in `error` and, when the file could not be opened, the system's
// error number in `errorCode` (else 0). Never throws.
inline constexpr const char* kOpenEmbeddedFilesSymbol = "lumora_open_embedded_files_v1";
using OpenEmbeddedFilesFunction = EmbeddedFiles* (*)(const char* path, std::string* error,
                                                     int* errorCode) noexcept;

}  // namespace lumora
