#pragma once
// clear: turns an invoice text, decoded UTF-8 as the reader delivers it,
// into Windows-1252 for the page, in one pass from left to right:
// - a well-formed UTF-8 character becomes its Windows-1252 byte, or "?" when
//   the code page does not have it;
// - every other byte stays as it is, so a text in Windows-1252 keeps its
//   meaning.
// Entities were decoded by the reader, once: "&amp;" here is text.
// The result is never longer than the text.

#include <string>
#include <string_view>

namespace lumora {

std::string clear(std::string_view text);

}  // namespace lumora
