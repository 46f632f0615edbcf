#pragma once
// Where a render run writes its PDF: "Beleg-" + invoice number + ".pdf" in
// the current directory, which is the folder the invoice was chosen from.

#include <string>
#include <string_view>

namespace lumora {

// "Beleg-" + `invoicenr` + ".pdf". The number stays raw (entities are not
// decoded), but bytes that cannot stand in a file name or would lead out of
// the folder become "_": "/", "\", control characters (below 0x20 and 0x7F)
// and, so that the file can be copied anywhere, ':' '*' '?' '"' '<' '>' '|'.
std::string pdfFileName(std::string_view invoicenr);

// `directory` + "/" + file name, with no separator added or removed
// otherwise. The viewer gets the same text.
std::string pdfOutputPath(std::string_view directory, std::string_view invoicenr);

}  // namespace lumora
