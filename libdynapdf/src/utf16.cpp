#include "utf16.h"

namespace dynapdf {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string utf16ToUtf8(const char16_t* text) {
  std::string out;
  for (const char16_t* p = text; *p != 0; ++p) {
    char32_t code = *p;
    if (isHighSurrogate(*p) && isLowSurrogate(p[1])) {
      code = 0x10000 + ((static_cast<char32_t>(*p) - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (isHighSurrogate(*p) || isLowSurrogate(*p)) {
      code = kReplacement;
    }
    appendUtf8(out, code);
  }
  return out;
}

Utf8Unit utf8UnitAt(std::string_view utf8, std::size_t at) {
  const auto byte = [&](std::size_t i) {
    return at + i < utf8.size() ? static_cast<char32_t>(static_cast<unsigned char>(utf8[at + i]))
                                : char32_t{0x80};
  };
  const char32_t lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  if (lead < 0xE0) return {(lead & 0x1F) << 6 | (byte(1) & 0x3F), 2};
  if (lead < 0xF0) return {(lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F), 3};
  return {(lead & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F),
          4};
}

}  // namespace dynapdf
