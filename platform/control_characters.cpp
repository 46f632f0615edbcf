#include "platform/control_characters.h"

#include <cstddef>

namespace lumora {
namespace {

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 character that starts at `at`, 0 when none does.
std::size_t utf8Length(std::string_view text, std::size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  const std::size_t length = byte >= 0xC2 && byte <= 0xDF   ? 2
                             : byte >= 0xE0 && byte <= 0xEF ? 3
                             : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!isContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
  }
  return length;
}

void appendEscaped(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

}  // namespace

std::string escapeControlCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
        appendEscaped(out, byte);
      } else {
        out += text[at];
      }
      ++at;
      continue;
    }
    const std::size_t length = utf8Length(text, at);
    if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0x9F) {
      appendEscaped(out, byte);  // U+0080 to U+009F, the C1 controls
      appendEscaped(out, static_cast<unsigned char>(text[at + 1]));
    } else if (length > 0) {
      out.append(text, at, length);
    } else if (byte <= 0x9F) {
      appendEscaped(out, byte);  // a C1 control to a terminal of 8-bit characters
    } else {
      out += text[at];
    }
    at += length > 0 ? length : 1;
  }
  return out;
}

}  // namespace lumora
