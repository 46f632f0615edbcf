#pragma once
// clear: decodes a raw invoice text into Windows-1252 for the page. A fixed
// list of 26 whole-string replacements, applied in order, each left to right
// without rescanning what it inserted: 21 UTF-8 sequences of the letters and
// signs German invoices hold, then the five predefined XML entities. Nothing
// else is touched; the result is never longer than the text.

#include <string>
#include <string_view>

namespace lumora {

std::string clear(std::string_view text);

}  // namespace lumora
