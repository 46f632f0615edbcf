#pragma once
// Text on its way to a terminal or a message box: control characters from an
// invoice or a file name must not reach a terminal raw, where they could
// retitle the window or clear the screen.

#include <string>
#include <string_view>

namespace lumora {

// `text` with each control character written as \xNN, byte by byte: the
// bytes below 0x20 but the tab, 0x7F, the characters U+0080 to U+009F in
// UTF-8 (C2 80 to C2 9F) and stray bytes 0x80 to 0x9F outside a UTF-8
// character. Everything else, UTF-8 characters and other bytes, stays.
std::string escapeControlCharacters(std::string_view text);

}  // namespace lumora
