#pragma once
// clear: decodes a raw invoice text, XML character data in UTF-8, into the
// UTF-8 text of the page, in one pass from left to right:
// - a well-formed UTF-8 character stays as it is;
// - the five entities &amp; &lt; &gt; &quot; &apos; and the character
//   references &#228; and &#xE4; become their character, each exactly once
//   (&amp;lt; gives "&lt;"); a reference to a line feed or carriage return
//   becomes a blank, one that names no character stays as written;
// - every other byte is read as Windows-1252, so a text in that code page
//   keeps its meaning.
// The result is always well-formed UTF-8, at most three times as long as
// the text.

#include <string>
#include <string_view>

namespace lumora {

std::string clear(std::string_view text);

}  // namespace lumora
