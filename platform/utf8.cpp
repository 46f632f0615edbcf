#include "platform/utf8.h"

namespace lumora {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The character at `at` and its length; U+FFFD and 1 for a byte that starts
// no well-formed character (overlong, surrogate, past U+10FFFF, cut off).
char32_t decodeAt(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  std::size_t length = 1;
  char32_t character = kReplacement;
  if (lead < 0x80) {
    character = lead;
  } else if (lead >= 0xC2 && lead <= 0xDF && continuation(byte(1))) {
    character = (lead & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF && continuation(byte(1)) && continuation(byte(2))) {
    const char32_t value = (lead & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    if (value >= 0x800 && (value < 0xD800 || value > 0xDFFF)) {
      character = value;
      length = 3;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4 && continuation(byte(1)) && continuation(byte(2)) &&
             continuation(byte(3))) {
    const char32_t value =
        (lead & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 | (byte(3) & 0x3Fu);
    if (value >= 0x10000 && value <= 0x10FFFF) {
      character = value;
      length = 4;
    }
  }
  at += length;
  return character;
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string result;
  result.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = decodeAt(utf8, at);
    if (c < 0x10000) {
      result += static_cast<char16_t>(c);
    } else {
      result += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      result += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return result;
}

}  // namespace lumora
