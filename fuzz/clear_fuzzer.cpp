// clear on arbitrary bytes, compared with a plain model of its rules (UTF-8
// out; a byte that starts no character is Windows-1252); and the
// item table's 45-byte cuts, whose pieces decoded one by one must give the
// same text as the whole.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "output/clear.h"
#include "output/piece_cut.h"
#include "platform/codepage.h"

namespace {

bool isCharacter(std::uint64_t value) {
  return value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

std::string utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | c >> 6);
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | c >> 12);
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | c >> 18);
    s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// `length` bytes read as one UTF-8 character by their bit patterns alone; it
// is well-formed when encoding the character again gives the same bytes.
bool utf8Character(std::string_view bytes, char32_t& character) {
  const std::size_t length = bytes.size();
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const unsigned leadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  const unsigned leadMask = 0xFF00 >> (length + 1) & 0xFF;
  if ((lead & leadMask) != leadMarks[length]) return false;
  character = lead & ~leadMask & 0xFF;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[i]);
    if ((next & 0xC0) != 0x80) return false;
    character = character << 6 | (next & 0x3F);
  }
  return isCharacter(character) && utf8Of(character) == bytes;
}

// "&#" digits ";" or "&#x" hex digits ";" at the start of `text`: its length,
// 0 when there is none; `value` is capped past the last character.
std::size_t reference(std::string_view text, std::uint64_t& value) {
  if (!text.starts_with("&#")) return 0;
  const std::size_t semicolon = text.find(';');
  if (semicolon == std::string_view::npos) return 0;
  std::string_view digits = text.substr(2, semicolon - 2);
  const bool hex = digits.starts_with('x');
  if (hex) digits.remove_prefix(1);
  if (digits.empty()) return 0;
  value = 0;
  for (const char c : digits) {
    const std::string_view allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (allowed.find(c) == std::string_view::npos) return 0;
    const std::uint64_t digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = std::min<std::uint64_t>(value * (hex ? 16 : 10) + digit, 0x7FFFFFFF);
  }
  return semicolon + 1;
}

// What a character prints as: a line break from a reference is a blank.
std::string textFor(char32_t character) {
  if (character == '\n' || character == '\r') return " ";
  return utf8Of(character);
}

std::string modelClear(std::string_view text) {
  const std::pair<std::string_view, char> entities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::string_view rest = text.substr(at);
    std::size_t used = 0;
    for (const auto& [entity, byte] : entities) {
      if (rest.starts_with(entity)) {
        out += byte;
        used = entity.size();
        break;
      }
    }
    std::uint64_t value = 0;
    if (used == 0 && (used = reference(rest, value)) > 0) {
      if (isCharacter(value)) {
        out += textFor(static_cast<char32_t>(value));
      } else {
        out += rest.substr(0, used);
      }
    }
    for (std::size_t length = 2; used == 0 && length <= 4 && length <= rest.size(); ++length) {
      char32_t character = 0;
      if (utf8Character(rest.substr(0, length), character)) {
        out += textFor(character);
        used = length;
      }
    }
    if (used == 0) {
      out += utf8Of(lumora::cp1252ToUnicode(static_cast<unsigned char>(rest.front())));
      used = 1;
    }
    at += used;
  }
  return out;
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const std::string cleared = lumora::clear(text);
  if (cleared.size() > 3 * text.size()) fail("clear made the text more than three times longer");
  if (cleared != modelClear(text)) fail("clear differs from the model");

  std::string piecewise;
  for (std::string_view rest = text; !rest.empty();) {
    const lumora::Cut cut = lumora::cutPiece(rest, 45);
    if (cut.piece.empty()) fail("an empty piece");
    // Only a reference padded past a whole piece makes a longer one.
    if (cut.piece.size() > 45 && !cut.piece.starts_with("&#")) fail("a piece past 45 bytes");
    piecewise += lumora::clear(cut.piece);
    rest = cut.rest;
  }
  if (piecewise != cleared) fail("a cut split a character, entity or reference");
  return 0;
}
