#include "platform/substring.h"

#include <cstring>

namespace lumora {

std::string_view substring(std::string_view s, std::int64_t start, std::int64_t count) {
  if (start < 1) start = 1;
  const auto size = static_cast<std::int64_t>(s.size());
  if (start > size || count <= 0) return {};
  const std::int64_t available = size - start + 1;
  const std::int64_t taken = count < available ? count : available;
  return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(taken));
}

std::int64_t position(std::string_view needle, std::string_view s) {
  if (needle.empty() || needle.size() > s.size()) return 0;
  const void* hit = memmem(s.data(), s.size(), needle.data(), needle.size());
  if (!hit) return 0;
  return static_cast<const char*>(hit) - s.data() + 1;
}

}  // namespace lumora
