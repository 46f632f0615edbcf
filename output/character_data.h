#pragma once
// The units of XML character data in a raw invoice text, as clear decodes
// them and as the item table's cuts keep them whole: a well-formed UTF-8
// character, one of the five entities, a character reference, or a single
// byte that starts none of these.

#include <cstddef>
#include <string_view>

namespace lumora {

struct CharacterUnit {
  std::size_t length = 1;  // bytes of the raw text
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

// "&#228;" or "&#xE4;": digits, then the semicolon. A reference that names
// no character (0, a surrogate, past U+10FFFF) is still one unit, kept as
// written.
inline CharacterUnit referenceUnit(std::string_view text, std::size_t at) {
  constexpr char32_t kPastLast = 0x110000;
  std::size_t i = at + 2;
  const bool hex = i < text.size() && text[i] == 'x';
  if (hex) ++i;
  const std::size_t digitsFrom = i;
  char32_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      break;
    }
    value = value * (hex ? 16 : 10) + digit;
    if (value > kPastLast) value = kPastLast;  // saturates: any longer number is no character
  }
  if (i == digitsFrom || i >= text.size() || text[i] != ';') return {};
  const bool character = value != 0 && value < kPastLast && (value < 0xD800 || value > 0xDFFF);
  return {i + 1 - at, value, character};
}

inline CharacterUnit ampersandUnit(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  if (rest.starts_with("&#")) return referenceUnit(text, at);
  if (rest.starts_with("&amp;")) return {5, '&', true};
  if (rest.starts_with("&lt;")) return {4, '<', true};
  if (rest.starts_with("&gt;")) return {4, '>', true};
  if (rest.starts_with("&quot;")) return {6, '"', true};
  if (rest.starts_with("&apos;")) return {6, '\'', true};
  return {};
}

}  // namespace detail

// The unit that begins at byte `at` (< text.size()) of the raw text.
inline CharacterUnit characterUnitAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead >= 0x80) return detail::utf8Unit(text, at);
  if (lead == '&') return detail::ampersandUnit(text, at);
  return {1, lead, true};
}

}  // namespace lumora
