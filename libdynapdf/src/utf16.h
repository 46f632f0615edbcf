// Text conversion at the C ABI: the wide strings the program passes in are
// UTF-16, cairo and Pango take UTF-8.
#ifndef DYNAPDF_UTF16_H
#define DYNAPDF_UTF16_H

#include <cstddef>
#include <string>
#include <string_view>

namespace dynapdf {

// Converts zero-terminated UTF-16 to UTF-8. Surrogate pairs are combined; a
// lone surrogate becomes U+FFFD so the result is always valid UTF-8.
std::string utf16ToUtf8(const char16_t* text);

struct Utf8Unit {
  char32_t character;
  std::size_t length;  // bytes
};

// The character that starts at byte `at` (< size) of valid UTF-8, as
// utf16ToUtf8 makes it.
Utf8Unit utf8UnitAt(std::string_view utf8, std::size_t at);

}  // namespace dynapdf

#endif
