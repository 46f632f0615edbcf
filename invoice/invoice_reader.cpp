#include "invoice/invoice_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/exceptions.h"
#include "platform/substring.h"
#include "platform/text_file.h"

namespace lumora {
namespace {

constexpr const char* kChangedDuringRun = "Die E-Rechnung wurde während der Verarbeitung geändert";

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

// Search phase: the block of the first element from where `file` stands.
// The search stops on the line of the first closing marker behind that
// point; `nextClosingEnd` gets the offset just behind that marker, or stays
// empty when the file ends without one.
std::string searchBlock(TextFileReader& file, const std::string& opening,
                        const std::string& closing, std::int64_t contentOffset,
                        std::optional<std::uint64_t>& nextClosingEnd) {
  std::string block;
  bool openingSeen = false;
  std::string line;
  for (std::uint64_t lineStart = file.offset(); file.readLine(line); lineStart = file.offset()) {
    const std::int64_t posO = position(opening, line);
    const std::int64_t posC = position(closing, line);
    if (posC > 0)
      nextClosingEnd = lineStart + static_cast<std::uint64_t>(posC - 1) + closing.size();
    if (posO > 0) {
      const std::int64_t start = posO + contentOffset;
      openingSeen = true;
      // The block ends on this line, or a later opening marker starts it
      // afresh.
      if (posC > 0) return std::string(substring(line, start, posC - start));
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

}  // namespace

void InvoiceReader::beginRun() {
  m_inRun = true;
  m_runFile.reset();
}

void InvoiceReader::checkUnchangedInRun(const FileIdentity& identity) const {
  if (!m_inRun) return;
  if (!m_runFile) {
    m_runFile = xmlfile;
    m_runIdentity = identity;
  } else if (*m_runFile == xmlfile && m_runIdentity != identity) {
    throw Exception(kChangedDuringRun);
  }
}

std::string InvoiceReader::readBlock(std::string_view opentag, std::string_view closetag,
                                     std::int32_t occurrence) const {
  const std::string opening = openingMarker(opentag);
  const std::string closing = closingMarker(closetag);

  TextFileReader file(xmlfile);
  checkUnchangedInRun(file.identity());
  m_closingMarkers.keepOnlyFor(file.identity());
  m_recentBlocks.keepOnlyFor(file.identity());
  const std::int64_t skipped = std::max(std::int64_t{occurrence} - 1, std::int64_t{0});
  if (std::optional<std::string> block = m_recentBlocks.recall(opening, closing, skipped))
    return *std::move(block);
  try {
    // Skip phase: the search starts right behind the (occurrence - 1)-th
    // closing marker, on the rest of its line, so that several elements on
    // one line (a minified invoice) are each found.
    ClosingMarkerIndex::Markers& markers = m_closingMarkers.markers(closing);
    if (skipped > 0 && !skipClosingMarkers(file, closing, skipped, markers)) return {};
    std::optional<std::uint64_t> nextClosingEnd;
    std::string block = searchBlock(file, opening, closing,
                                    static_cast<std::int64_t>(opentag.size()) + 2, nextClosingEnd);
    // The search went on to the next closing marker: the next occurrence
    // starts behind it.
    if (markers.ends.size() == static_cast<std::size_t>(skipped) && !markers.complete) {
      if (nextClosingEnd) {
        markers.ends.push_back(*nextClosingEnd);
      } else {
        markers.complete = true;
      }
    }
    m_recentBlocks.remember(opening, closing, skipped, block);
    return block;
  } catch (...) {
    m_closingMarkers.clear();
    m_recentBlocks.clear();
    throw;
  }
}

std::string InvoiceReader::findValue(std::string_view source, std::string_view opentag,
                                     std::string_view closetag, std::int32_t occurrence) {
  const std::string opening = openingMarker(opentag);
  const std::string closing = closingMarker(closetag);
  const auto openLength = static_cast<std::int64_t>(opentag.size());
  const auto closeLength = static_cast<std::int64_t>(closetag.size());

  std::string_view s = source;
  std::int64_t posO = position(opening, s);
  std::int64_t posC = position(closing, s);
  for (std::int32_t i = 1; i < occurrence && !s.empty(); ++i) {
    s = substringFrom(s, posC + closeLength + 3);
    posO = position(opening, s);
    posC = position(closing, s);
  }
  if (s.empty()) return {};
  return std::string(substring(s, posO + openLength + 2, posC - posO - openLength - 2));
}

}  // namespace lumora
