#pragma once
// clear: turns an invoice text, decoded UTF-8 as the reader delivers it,
// into the well-formed UTF-8 text of the page, in one pass from left to
// right:
// - a well-formed UTF-8 character stays as it is;
// - every other byte is read as Windows-1252, so a text in that code page
//   keeps its meaning.
// Entities were decoded by the reader, once: "&amp;" here is text.
// The result is at most three times as long as the text.

#include <string>
#include <string_view>

namespace lumora {

std::string clear(std::string_view text);

}  // namespace lumora
