// Text conversion at the C ABI: the wide strings the program passes in are
// UTF-16, cairo draws UTF-8.
#ifndef DYNAPDF_UTF16_H
#define DYNAPDF_UTF16_H

#include <string>

namespace dynapdf {

// Converts zero-terminated UTF-16 to UTF-8. Surrogate pairs are combined; a
// lone surrogate becomes U+FFFD so the result is always valid UTF-8.
std::string utf16ToUtf8(const char16_t* text);

}  // namespace dynapdf

#endif
