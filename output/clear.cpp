#include "output/clear.h"

#include "output/character_data.h"
#include "platform/codepage.h"

namespace lumora {

std::string clear(std::string_view text) {
  std::string result(text.size(), '\0');
  char* out = result.data();
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    // Plain ASCII, the bulk of every invoice, is copied without a closer look.
    if (static_cast<unsigned char>(c) < 0x80) {
      *out++ = c;
      ++at;
      continue;
    }
    const CharacterUnit unit = characterUnitAt(text, at);
    if (!unit.decoded) {
      for (std::size_t i = 0; i < unit.length; ++i) *out++ = text[at + i];
    } else {
      *out++ = unicodeToCp1252(unit.character);
    }
    at += unit.length;
  }
  result.resize(static_cast<std::size_t>(out - result.data()));
  return result;
}

}  // namespace lumora
