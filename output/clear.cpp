#include "output/clear.h"

#include "output/character_data.h"
#include "platform/codepage.h"
#include "platform/utf8.h"

namespace lumora {

std::string clear(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    // Plain ASCII, the bulk of every invoice, is copied without a closer look.
    if (static_cast<unsigned char>(c) < 0x80) {
      result += c;
      ++at;
      continue;
    }
    const CharacterUnit unit = characterUnitAt(text, at);
    if (unit.decoded) {
      result.append(text, at, unit.length);  // UTF-8 already
    } else {
      appendUtf8(result, cp1252ToUnicode(static_cast<unsigned char>(c)));
    }
    at += unit.length;
  }
  return result;
}

}  // namespace lumora
