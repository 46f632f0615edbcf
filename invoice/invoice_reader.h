#pragma once
// Reading the invoice file by plain text search. There is no XML parser:
// getdata finds the raw content of an element in the file (a block, its line
// breaks removed) and getvalue finds the raw text between two markers inside
// such a text. Entities and UTF-8 stay as the file has them; only the output
// decodes them.
//
// Markers are "<" + opentag + ">" and "</" + closetag + ">", matched byte for
// byte; opentag may carry attributes exactly as the file must hold them.

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

class InvoiceReader {
 public:
  // Path of the invoice file; every getdata opens it anew.
  std::string xmlfile;
  // Which occurrence getdata returns, counted from 1 (1 or less: the first).
  std::int32_t datanr = 1;
  // Which occurrence getvalue returns, counted from 1 (1 or less: the first).
  std::int32_t valuenr = 1;

  // The datanr-th block of the element in xmlfile; "" when there is none.
  // Throws InOutError when the file cannot be opened or read.
  std::string getdata(std::string_view opentag, std::string_view closetag) const;

  // The valuenr-th tag value of the element in `source`. Never fails.
  std::string getvalue(std::string_view source, std::string_view opentag,
                       std::string_view closetag) const;
};

}  // namespace lumora
