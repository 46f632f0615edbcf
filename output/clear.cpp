#include "output/clear.h"

#include <array>
#include <cstring>

namespace lumora {
namespace {

struct Replacement {
  std::string_view sequence;
  char byte;  // the Windows-1252 code
};

// The order is part of the behaviour: "&amp;" comes before the other entities,
// so "&amp;lt;" ends up as "<".
constexpr std::array<Replacement, 26> kReplacements = {{
    {"\xC3\xA4", '\xE4'},      // ä
    {"\xC3\xB6", '\xF6'},      // ö
    {"\xC3\xBC", '\xFC'},      // ü
    {"\xC3\x84", '\xC4'},      // Ä
    {"\xC3\x96", '\xD6'},      // Ö
    {"\xC3\x9C", '\xDC'},      // Ü
    {"\xC3\x9F", '\xDF'},      // ß
    {"\xE2\x82\xAC", '\x80'},  // €
    {"\xC3\xA9", '\xE9'},      // é
    {"\xC3\xA8", '\xE8'},      // è
    {"\xC3\xAA", '\xEA'},      // ê
    {"\xC3\xA7", '\xE7'},      // ç
    {"\xC3\xB4", '\xF4'},      // ô
    {"\xC3\xBB", '\xFB'},      // û
    {"\xC3\xB8", '\xF8'},      // ø
    {"\xC3\x98", '\xD8'},      // Ø
    {"\xC2\xB5", '\xB5'},      // µ
    {"\xC2\xB2", '\xB2'},      // ²
    {"\xC3\xA2", '\xE2'},      // â
    {"\xC3\xA1", '\xE1'},      // á
    {"\xC2\xAC", '\xAC'},      // ¬
    {"&amp;", '&'},           {"&quot;", '"'}, {"&apos;", '\''}, {"&gt;", '>'}, {"&lt;", '<'},
}};

// Replaces every occurrence left to right; the scan goes on behind each
// replaced sequence, so the inserted byte is not looked at again.
void replaceAll(std::string& text, const Replacement& replacement) {
  const std::string_view needle = replacement.sequence;
  const void* first = memmem(text.data(), text.size(), needle.data(), needle.size());
  if (!first) return;
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (const char* hit = static_cast<const char*>(first); hit;) {
    const auto at = static_cast<std::size_t>(hit - text.data());
    result.append(text, from, at - from);
    result.push_back(replacement.byte);
    from = at + needle.size();
    hit = static_cast<const char*>(
        memmem(text.data() + from, text.size() - from, needle.data(), needle.size()));
  }
  result.append(text, from, std::string::npos);
  text = std::move(result);
}

}  // namespace

std::string clear(std::string_view text) {
  std::string result(text);
  for (const Replacement& replacement : kReplacements) replaceAll(result, replacement);
  return result;
}

}  // namespace lumora
