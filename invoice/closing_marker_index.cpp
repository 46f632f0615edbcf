#include "invoice/closing_marker_index.h"

namespace lumora {

void ClosingMarkerIndex::keepOnlyFor(const FileIdentity& identity) {
  if (identity == m_identity) return;
  m_markers.clear();
  m_identity = identity;
}

void ClosingMarkerIndex::clear() {
  m_markers.clear();
  m_identity = {};
}

bool skipClosingMarkers(TextFileReader& file, const std::string& closing, std::int64_t count,
                        ClosingMarkerIndex::Markers& markers) {
  const auto known = static_cast<std::int64_t>(markers.ends.size());
  if (count <= known) {
    // Every offset lies just behind a ">", never between the CR and LF of
    // one line end, so reading on from there reads the same lines.
    file.seek(markers.ends[static_cast<std::size_t>(count - 1)]);
    return true;
  }
  if (markers.complete) return false;
  if (known > 0) file.seek(markers.ends.back());
  for (std::int64_t found = known; found < count; ++found) {
    if (!file.skipPast(closing, 1)) {
      markers.complete = true;
      return false;
    }
    markers.ends.push_back(file.offset());
  }
  return true;
}

}  // namespace lumora
