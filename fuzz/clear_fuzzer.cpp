// clear on arbitrary bytes, compared with a plain model of its rules (UTF-8
// out, a byte that starts no character read as Windows-1252); and the
// item table's pieces of 45 characters: together they are the text, decoded
// one by one they give the same text as the whole, and one ends inside a
// word only when it holds no blank.

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

// One character of `text` at its start, as the model reads it: a well-formed
// UTF-8 sequence, else a single byte. Its length in bytes.
std::size_t characterLength(std::string_view text, char32_t& character) {
  for (std::size_t length = 2; length <= 4 && length <= text.size(); ++length) {
    if (utf8Character(text.substr(0, length), character)) return length;
  }
  character = static_cast<unsigned char>(text.front());
  return 1;
}

std::string modelClear(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    char32_t character = 0;
    const std::size_t length = characterLength(text.substr(at), character);
    out += utf8Of(length == 1 ? lumora::cp1252ToUnicode(static_cast<unsigned char>(text[at]))
                              : character);
    at += length;
  }
  return out;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); ++count) {
    char32_t character = 0;
    at += characterLength(text.substr(at), character);
  }
  return count;
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

  std::string joined;
  std::string piecewise;
  for (std::string_view rest = text; !rest.empty();) {
    const lumora::Cut cut = lumora::cutPiece(rest, 45);
    if (cut.piece.empty()) fail("an empty piece");
    if (characterCount(cut.piece) > 45) fail("a piece past 45 characters");
    if (!cut.rest.empty() && cut.piece.back() != ' ' && cut.rest.front() != ' ' &&
        cut.piece.find(' ') != std::string_view::npos) {
      fail("a piece ends inside a word although it holds a blank");
    }
    joined += cut.piece;
    piecewise += lumora::clear(cut.piece);
    rest = cut.rest;
  }
  if (joined != text) fail("the pieces are not the text");
  if (piecewise != cleared) fail("a cut split a character");
  return 0;
}
