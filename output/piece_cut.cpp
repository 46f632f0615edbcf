#include "output/piece_cut.h"

#include "output/character_data.h"

namespace lumora {

Cut cutPiece(std::string_view text, std::size_t width) {
  std::size_t end = 0;
  for (std::size_t characters = 0; characters < width && end < text.size(); ++characters) {
    end += characterUnitAt(text, end).length;
  }
  if (end >= text.size()) return {text, {}};
  const bool insideWord = text[end - 1] != ' ' && text[end] != ' ';
  if (insideWord) {
    const std::size_t blank = text.rfind(' ', end - 1);
    if (blank != std::string_view::npos) return {text.substr(0, blank + 1), text.substr(blank + 1)};
  }
  return {text.substr(0, end), text.substr(end)};
}

}  // namespace lumora
