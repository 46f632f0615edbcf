#include "invoice/invoice_reader.h"

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
  const auto contentOffset = static_cast<std::int64_t>(opentag.size()) + 2;

  TextFileReader file(xmlfile);
  checkUnchangedInRun(file.identity());
  m_closingMarkers.keepOnlyFor(file.identity());
  // What was learned while the file changed under the read is not kept, and
  // a run does not go on with a file that changed.
  const auto confirmUnchanged = [&] {
    const FileIdentity now = file.currentIdentity();
    if (now == file.identity()) return;
    m_closingMarkers.clear();
    checkUnchangedInRun(now);
  };
  try {
    std::string block;
    bool openingSeen = false;

    // Skip phase: the search starts right behind the (occurrence - 1)-th
    // closing marker, on the rest of its line, so that several elements on
    // one line (a minified invoice) are each found.
    if (occurrence > 1 && !skipClosingMarkers(file, closing, std::int64_t{occurrence} - 1,
                                              m_closingMarkers.markers(closing))) {
      confirmUnchanged();
      return block;
    }

    std::string line;
    while (file.readLine(line)) {
      const std::int64_t posO = position(opening, line);
      const std::int64_t posC = position(closing, line);
      if (posO > 0) {
        const std::int64_t start = posO + contentOffset;
        openingSeen = true;
        if (posC > 0) {
          block = substring(line, start, posC - start);
          break;
        }
        // A later opening marker starts the block afresh.
        block = substringFrom(line, start);
      } else if (posC > 0) {
        block += substring(line, 1, posC - 1);
        break;
      } else if (openingSeen) {
        block += line;
      }
    }
    confirmUnchanged();
    return block;
  } catch (...) {
    m_closingMarkers.clear();
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
