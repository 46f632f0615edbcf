#include "output/piece_cut.h"

#include "output/character_data.h"

namespace lumora {

Cut cutPiece(std::string_view text, std::size_t width) {
  if (text.size() <= width) return {text, {}};
  // Units are found from the start of the piece, as clear finds them.
  std::size_t end = 0;
  while (end < width) {
    const std::size_t next = end + characterUnitAt(text, end).length;
    if (next > width) {
      if (end == 0) end = next;
      break;
    }
    end = next;
  }
  return {text.substr(0, end), text.substr(end)};
}

}  // namespace lumora
