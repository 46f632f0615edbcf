#pragma once
// Files that lumora-render saves from inside an invoice (the XML of a PDF,
// the invoice's attachments) under names that the invoice chose: made safe
// first, and never replacing a file unless asked to.

#include <string>
#include <string_view>

namespace lumora::cli {

// `name` as a file name in a folder: bytes that cannot stand in a file name
// or would lead out of the folder become "_" ("/", "\", control characters
// and ':' '*' '?' '"' '<' '>' '|'), as does a leading "." (no hidden file,
// never "." or ".."); at most 255 bytes, cut before the extension and never
// inside a UTF-8 character. An empty name becomes `fallback`.
std::string safeFileName(std::string_view name, std::string_view fallback);

// Writes `bytes` as `folder`/`fileName` and returns that path. Without
// `overwrite` an existing file is left alone and reported; with it, the file
// is replaced at once (written beside it first), a symbolic link in its
// place replaced by the file. Throws Exception with the path and the
// system's reason; nothing half-written stays behind.
std::string saveFile(const std::string& folder, const std::string& fileName, std::string_view bytes,
                     bool overwrite);

}  // namespace lumora::cli
