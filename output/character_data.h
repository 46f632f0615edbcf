#pragma once
// The units of an invoice text, as clear decodes them and as the item
// table's cuts keep them whole: a well-formed UTF-8 character, or a single
// byte that starts none.

#include <cstddef>
#include <string_view>

namespace lumora {

struct CharacterUnit {
  std::size_t length = 1;  // bytes of the text
  char32_t character = 0;  // the character it stands for
  bool decoded = false;    // false: the bytes stay as they are written
};

namespace detail {

inline bool continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// A UTF-8 sequence at `at` whose lead byte is 80 or above. Overlong forms,
// surrogates, code points past U+10FFFF and cut-off sequences are not
// well-formed and leave the lead byte alone.
inline CharacterUnit utf8Unit(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  const unsigned char second = byte(1);
  if (lead >= 0xC2 && lead <= 0xDF) {
    if (!continuation(second)) return {};
    return {2, static_cast<char32_t>((lead & 0x1F) << 6 | (second & 0x3F)), true};
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
    if (second < low || second > high || !continuation(byte(2))) return {};
    return {3, static_cast<char32_t>((lead & 0x0F) << 12 | (second & 0x3F) << 6 | (byte(2) & 0x3F)),
            true};
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high || !continuation(byte(2)) || !continuation(byte(3))) {
      return {};
    }
    return {4,
            static_cast<char32_t>((lead & 0x07) << 18 | (second & 0x3F) << 12 |
                                  (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F)),
            true};
  }
  return {};
}

}  // namespace detail

// The unit that begins at byte `at` (< text.size()) of the text.
inline CharacterUnit characterUnitAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead >= 0x80) return detail::utf8Unit(text, at);
  return {1, lead, true};
}

}  // namespace lumora
