#include "render/text_fit.h"

#include <algorithm>

namespace lumora {
namespace {

bool continuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The longest start of `text` that fits `room` together with `tail`, ended
// between characters; found by halving, as widths grow with every character.
std::size_t fittingPrefix(const TextWidth& widthOf, std::string_view text, std::string_view tail,
                          int size, double room) {
  std::size_t fits = 0;
  std::size_t tooLong = text.size() + 1;
  while (tooLong - fits > 1) {
    std::size_t middle = fits + (tooLong - fits) / 2;
    while (middle > fits && middle < text.size() && continuationByte(text[middle])) --middle;
    if (middle == fits) {
      // No character boundary between the two: the next one ends the search.
      middle = fits + 1;
      while (middle < text.size() && continuationByte(text[middle])) ++middle;
      if (middle >= tooLong) break;
    }
    if (widthOf(std::string(text.substr(0, middle)) + std::string(tail), size) <= room) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return fits;
}

}  // namespace

FittedText fitText(const TextWidth& widthOf, std::string_view text, int size, double room) {
  if (widthOf(text, size) <= room) return {std::string(text), size};
  for (int smaller = size - 1; smaller >= kSmallestFittedSize; --smaller) {
    if (widthOf(text, smaller) <= room) return {std::string(text), smaller};
  }
  const int smallest = std::min(size, kSmallestFittedSize);
  std::string_view kept = text.substr(0, fittingPrefix(widthOf, text, kEllipsis, smallest, room));
  while (!kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
  return {std::string(kept) + std::string(kEllipsis), smallest};
}

std::vector<std::string> wrapAtBlanks(const TextWidth& widthOf, std::string_view text, int size,
                                      double room) {
  std::vector<std::string> lines;
  std::string line;
  const auto fits = [&](std::string_view candidate) { return widthOf(candidate, size) <= room; };
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t end = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, end - at);
    at = end;
    if (!line.empty() && fits(line + " " + std::string(word))) {
      line += " " + std::string(word);
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // A word wider than the room goes on over the next lines.
    while (!word.empty() && !fits(word)) {
      std::size_t piece = fittingPrefix(widthOf, word, {}, size, room);
      if (piece == 0) {
        piece = 1;  // at least one character a line
        while (piece < word.size() && continuationByte(word[piece])) ++piece;
      }
      lines.emplace_back(word.substr(0, piece));
      word.remove_prefix(piece);
    }
    line = word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace lumora
