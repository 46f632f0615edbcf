#pragma once
// What getdata remembers between calls so that it does not pay again for bytes
// it has already scanned: for one invoice file, per closing marker, the file
// offset just behind each closing marker found so far. The item table asks
// for occurrence 1, 2, 3, ... of the same element, so each call skips straight
// to where the last one stopped instead of reading the file from the start.
//
// The offsets hold only for the file exactly as it was scanned: they are
// trusted while the file's identity (device, inode, size, modification time)
// stays the same, and any other identity drops all of them.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_file.h"

namespace lumora {

class ClosingMarkerIndex {
 public:
  // The closing markers of one marker text found so far, in file order.
  struct Markers {
    std::vector<std::uint64_t> ends;  // offset just behind each marker's ">"
    bool complete = false;            // the scan reached the end of the file
  };

  // Forgets everything unless it was learned on a file of this identity.
  void keepOnlyFor(const FileIdentity& identity);
  // The markers of `closing` found so far in the file of the current identity.
  Markers& markers(const std::string& closing) { return m_markers[closing]; }
  void clear();

 private:
  FileIdentity m_identity;
  std::unordered_map<std::string, Markers> m_markers;
};

// Moves `file` just behind its `count`-th closing marker (count >= 1), as
// TextFileReader::skipPast does from the file's start, using and extending
// what `markers` knows. Returns false when the file has fewer markers.
bool skipClosingMarkers(TextFileReader& file, const std::string& closing, std::int64_t count,
                        ClosingMarkerIndex::Markers& markers);

}  // namespace lumora
