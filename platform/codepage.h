#pragma once
// The program's 8-bit code page, Windows-1252, and its way to and from UTF-16.

#include <string>
#include <string_view>

namespace lumora {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves undefined (81, 8D, 8F, 90, 9D) stand for the control characters of
// the same number.
char16_t cp1252ToUnicode(unsigned char byte);

std::u16string cp1252ToUtf16(std::string_view text);

// The Windows-1252 byte of a Unicode character, "?" for a character the code
// page does not have. The inverse of cp1252ToUnicode.
char unicodeToCp1252(char32_t character);

// UTF-16 to Windows-1252; a character outside the code page becomes "?".
std::string utf16ToCp1252(std::u16string_view text);

}  // namespace lumora
