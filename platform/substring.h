#pragma once
// Byte-string positions as the invoice rules count them: from 1, with 0 for
// "not found". Every cut in the program goes through these two helpers.

#include <cstdint>
#include <string_view>

namespace lumora {

// At most `count` bytes of `s` from the 1-based position `start`. A start below
// 1 counts as 1; a start past the end or a count of 0 or less gives "".
std::string_view substring(std::string_view s, std::int64_t start, std::int64_t count);

// `s` from the 1-based position `start` to its end.
inline std::string_view substringFrom(std::string_view s, std::int64_t start) {
  return substring(s, start, INT64_MAX);
}

// 1-based position of the first occurrence of `needle` in `s`, 0 if absent.
// An empty needle is never found.
std::int64_t position(std::string_view needle, std::string_view s);

}  // namespace lumora
