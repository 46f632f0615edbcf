#pragma once
// A plain model of the invoice reader for the fuzzer to compare with: the
// whole file in memory, split into lines first, every rule spelt out on
// 1-based positions. Slow and obvious, where the real reader is fast.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::fuzz {

// 1-based position of `needle` in `s` from the 1-based `from` on; 0 if absent.
inline std::int64_t find1(std::string_view s, std::string_view needle, std::int64_t from = 1) {
  if (needle.empty() || from < 1) return 0;
  const std::size_t at = s.find(needle, static_cast<std::size_t>(from - 1));
  return at == std::string_view::npos ? 0 : static_cast<std::int64_t>(at) + 1;
}

// At most `count` bytes of `s` from the 1-based `start`.
inline std::string sub1(std::string_view s, std::int64_t start, std::int64_t count) {
  if (start < 1) start = 1;
  const auto size = static_cast<std::int64_t>(s.size());
  if (start > size || count <= 0) return {};
  return std::string(s.substr(static_cast<std::size_t>(start - 1),
                              static_cast<std::size_t>(std::min(count, size - start + 1))));
}

// The file's lines: CR, CR LF and a lone LF end a line; byte 26 ends the file.
inline std::vector<std::string> fileLines(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

inline std::string referenceGetdata(std::string_view bytes, std::int32_t datanr,
                                    std::string_view opentag, std::string_view closetag) {
  const std::string opening = "<" + std::string(opentag) + ">";
  const std::string closing = "</" + std::string(closetag) + ">";
  std::vector<std::string> lines = fileLines(bytes);
  std::size_t next = 0;

  // Skip datanr - 1 closing markers; the search goes on behind the last one.
  for (std::int64_t toSkip = std::int64_t{datanr} - 1; toSkip > 0;) {
    if (next == lines.size()) return {};
    std::int64_t from = 1;
    std::int64_t at = 0;
    while (toSkip > 0 && (at = find1(lines[next], closing, from)) > 0) {
      from = at + static_cast<std::int64_t>(closing.size());
      --toSkip;
    }
    if (toSkip == 0) {
      lines[next] = sub1(lines[next], from, INT64_MAX);
    } else {
      ++next;
    }
  }

  std::string block;
  bool openingSeen = false;
  for (; next < lines.size(); ++next) {
    const std::string& line = lines[next];
    const std::int64_t posO = find1(line, opening);
    const std::int64_t posC = find1(line, closing);
    if (posO > 0) {
      const std::int64_t start = posO + static_cast<std::int64_t>(opentag.size()) + 2;
      if (posC > 0) return sub1(line, start, posC - start);
      block = sub1(line, start, INT64_MAX);
      openingSeen = true;
    } else if (posC > 0) {
      return block + sub1(line, 1, posC - 1);
    } else if (openingSeen) {
      block += line;
    }
  }
  return block;
}

inline std::string referenceGetvalue(std::string_view source, std::int32_t valuenr,
                                     std::string_view opentag, std::string_view closetag) {
  const std::string opening = "<" + std::string(opentag) + ">";
  const std::string closing = "</" + std::string(closetag) + ">";
  const auto openLength = static_cast<std::int64_t>(opentag.size());
  const auto closeLength = static_cast<std::int64_t>(closetag.size());
  std::string s(source);
  std::int64_t posO = find1(s, opening);
  std::int64_t posC = find1(s, closing);
  for (std::int32_t i = 1; i < valuenr; ++i) {
    s = sub1(s, posC + closeLength + 3, INT64_MAX);
    posO = find1(s, opening);
    posC = find1(s, closing);
  }
  return sub1(s, posO + openLength + 2, posC - posO - openLength - 2);
}

}  // namespace lumora::fuzz
