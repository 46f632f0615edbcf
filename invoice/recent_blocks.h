#pragma once
// The last few blocks getdata returned, for the file exactly as it was read.
// The header blocks and the totals ask for the same element once per field
// (the seller's party for its name, street, city, ...; the monetary totals
// for each amount); answering those from memory spares a scan of everything
// in front of the element, which behind a long item table is most of the
// file. Trusted only while the file's identity stays the same.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace lumora {

class RecentBlocks {
 public:
  // Forgets everything unless it was learned on a file of this identity.
  void keepOnlyFor(const FileIdentity& identity);
  std::optional<std::string> recall(std::string_view opening, std::string_view closing,
                                    std::int64_t occurrence) const;
  void remember(std::string_view opening, std::string_view closing, std::int64_t occurrence,
                const std::string& block);
  void clear();

 private:
  struct Entry {
    std::string opening;
    std::string closing;
    std::int64_t occurrence;
    std::string block;
  };
  // A handful of small blocks: enough for the fields of one element, little
  // memory whatever the invoice holds.
  static constexpr std::size_t kEntries = 8;
  static constexpr std::size_t kLargestBlock = 64 * 1024;

  FileIdentity m_identity;
  std::vector<Entry> m_entries;  // oldest first
};

}  // namespace lumora
