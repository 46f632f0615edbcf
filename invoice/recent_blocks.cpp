#include "invoice/recent_blocks.h"

namespace lumora {

void RecentBlocks::keepOnlyFor(const FileIdentity& identity) {
  if (identity == m_identity) return;
  m_entries.clear();
  m_identity = identity;
}

std::optional<std::string> RecentBlocks::recall(std::string_view opening, std::string_view closing,
                                                std::int64_t occurrence) const {
  for (const Entry& entry : m_entries)
    if (entry.occurrence == occurrence && entry.opening == opening && entry.closing == closing)
      return entry.block;
  return std::nullopt;
}

void RecentBlocks::remember(std::string_view opening, std::string_view closing,
                            std::int64_t occurrence, const std::string& block) {
  if (block.size() > kLargestBlock) return;
  if (m_entries.size() == kEntries) m_entries.erase(m_entries.begin());
  m_entries.push_back({std::string(opening), std::string(closing), occurrence, block});
}

void RecentBlocks::clear() {
  m_entries.clear();
  m_identity = {};
}

}  // namespace lumora
