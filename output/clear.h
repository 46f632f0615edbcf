#pragma once
// clear: decodes a raw invoice text, XML character data in UTF-8, into
// Windows-1252 for the page, in one pass from left to right:
// - a well-formed UTF-8 character becomes its Windows-1252 byte, or "?" when
//   the code page does not have it;
// - the five entities &amp; &lt; &gt; &quot; &apos; and the character
//   references &#228; and &#xE4; become their character, each exactly once
//   (&amp;lt; gives "&lt;"); a reference to a line feed or carriage return
//   becomes a blank, one that names no character stays as written;
// - every other byte stays as it is, so a text in Windows-1252 keeps its
//   meaning.
// The result is never longer than the text.

#include <string>
#include <string_view>

namespace lumora {

std::string clear(std::string_view text);

}  // namespace lumora
