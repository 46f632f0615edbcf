#include "invoice/invoice_reader.h"

#include "platform/substring.h"
#include "platform/text_file.h"

namespace lumora {
namespace {

std::string openingMarker(std::string_view opentag) {
  std::string marker;
  marker.reserve(opentag.size() + 2);
  marker += '<';
  marker += opentag;
  marker += '>';
  return marker;
}

std::string closingMarker(std::string_view closetag) {
  std::string marker;
  marker.reserve(closetag.size() + 3);
  marker += "</";
  marker += closetag;
  marker += '>';
  return marker;
}

}  // namespace

std::string InvoiceReader::getdata(std::string_view opentag, std::string_view closetag) const {
  const std::string opening = openingMarker(opentag);
  const std::string closing = closingMarker(closetag);
  const auto contentOffset = static_cast<std::int64_t>(opentag.size()) + 2;

  TextFileReader file(xmlfile);
  std::string block;
  bool openingSeen = false;

  // Skip phase: the search starts right behind the (datanr - 1)-th closing
  // marker, on the rest of its line, so that several elements on one line
  // (a minified invoice) are each found.
  if (datanr > 1 && !file.skipPast(closing, std::int64_t{datanr} - 1)) return block;

  std::string line;
  while (file.readLine(line)) {
    const std::int64_t posO = position(opening, line);
    const std::int64_t posC = position(closing, line);
    if (posO > 0) {
      const std::int64_t start = posO + contentOffset;
      openingSeen = true;
      if (posC > 0) {
        block = substring(line, start, posC - start);
        return block;
      }
      // A later opening marker starts the block afresh.
      block = substringFrom(line, start);
    } else if (posC > 0) {
      block += substring(line, 1, posC - 1);
      return block;
    } else if (openingSeen) {
      block += line;
    }
  }
  return block;
}

std::string InvoiceReader::getvalue(std::string_view source, std::string_view opentag,
                                    std::string_view closetag) const {
  const std::string opening = openingMarker(opentag);
  const std::string closing = closingMarker(closetag);
  const auto openLength = static_cast<std::int64_t>(opentag.size());
  const auto closeLength = static_cast<std::int64_t>(closetag.size());

  std::string_view s = source;
  std::int64_t posO = position(opening, s);
  std::int64_t posC = position(closing, s);
  for (std::int32_t i = 1; i < valuenr && !s.empty(); ++i) {
    s = substringFrom(s, posC + closeLength + 3);
    posO = position(opening, s);
    posC = position(closing, s);
  }
  if (s.empty()) return {};
  return std::string(substring(s, posO + openLength + 2, posC - posO - openLength - 2));
}

}  // namespace lumora
