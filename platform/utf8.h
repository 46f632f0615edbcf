#pragma once
// UTF-8, the text of the page, and its way to UTF-16 for the PDF library's
// wide-string calls.

#include <string>
#include <string_view>

namespace lumora {

// Appends the UTF-8 bytes of a Unicode character.
void appendUtf8(std::string& out, char32_t character);

// UTF-8 to UTF-16. A byte that starts no well-formed character stands for
// U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

}  // namespace lumora
