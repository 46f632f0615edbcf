#include "render/text_fit.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lumora {
namespace {

bool continuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The end of the character that starts at `at`.
std::size_t characterEnd(std::string_view text, std::size_t at) {
  ++at;
  while (at < text.size() && continuationByte(text[at])) ++at;
  return at;
}

// The start of the character before `at`.
std::size_t characterStart(std::string_view text, std::size_t at) {
  while (at > 0 && continuationByte(text[--at])) {
  }
  return at;
}

// Widths of single characters at one size, each measured once. Glyphs
// advance by their own widths, without kerning, so a text is about as wide
// as its characters together: enough to find where to cut it with few
// measurements of the whole.
class CharacterWidths {
 public:
  CharacterWidths(const TextWidth& widthOf, int size) : m_widthOf(widthOf), m_size(size) {}

  double of(std::string_view character) {
    const auto known = m_widths.find(character);
    if (known != m_widths.end()) return known->second;
    const double width = m_widthOf(character, m_size);
    m_widths.emplace(std::string(character), width);
    return width;
  }

 private:
  const TextWidth& m_widthOf;
  int m_size;
  std::map<std::string, double, std::less<>> m_widths;
};

// The longest start of `text` that fits `room` together with `tail`, ended
// between characters: found by adding up the characters' widths, then made
// sure of by measuring it whole.
std::size_t fittingPrefix(const TextWidth& widthOf, std::string_view text, std::string_view tail,
                          int size, double room) {
  CharacterWidths widths(widthOf, size);
  double width = tail.empty() ? 0 : widthOf(tail, size);
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = characterEnd(text, end);
    width += widths.of(text.substr(end, next - end));
    if (width > room) break;
    end = next;
  }
  while (end > 0 && widthOf(std::string(text.substr(0, end)) + std::string(tail), size) > room) {
    end = characterStart(text, end);
  }
  return end;
}

}  // namespace

FittedText fitText(const TextWidth& widthOf, std::string_view text, int size, double room) {
  if (text.empty()) return {std::string(text), size};
  const double width = widthOf(text, size);
  if (width <= room) return {std::string(text), size};
  // Widths grow in proportion to the size: try the largest size that should
  // fit first, and make sure by measuring, so no size is measured in vain.
  const int estimate = static_cast<int>(std::floor(room / width * size));
  for (int smaller = std::min(size - 1, estimate); smaller >= kSmallestFittedSize; --smaller) {
    if (widthOf(text, smaller) <= room) return {std::string(text), smaller};
  }
  const int smallest = std::min(size, kSmallestFittedSize);
  std::string_view kept = text.substr(0, fittingPrefix(widthOf, text, kEllipsis, smallest, room));
  while (!kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
  return {std::string(kept) + std::string(kEllipsis), smallest};
}

std::vector<std::string> wrapAtBlanks(const TextWidth& widthOf, std::string_view text, int size,
                                      double room) {
  // Each word is measured once and a line is as wide as its words and the
  // blanks between them, so a long note costs one measurement a word.
  const double blank = widthOf(" ", size);
  std::vector<std::string> lines;
  std::string line;
  double lineWidth = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t end = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, end - at);
    at = end;
    double wordWidth = widthOf(word, size);
    if (!line.empty() && lineWidth + blank + wordWidth <= room) {
      line += ' ';
      line += word;
      lineWidth += blank + wordWidth;
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // A word wider than the room goes on over the next lines, a line's
    // worth at a time.
    if (wordWidth > room) {
      for (;;) {
        std::size_t piece = fittingPrefix(widthOf, word, {}, size, room);
        if (piece == word.size()) break;
        if (piece == 0) piece = characterEnd(word, 0);  // at least one character a line
        lines.emplace_back(word.substr(0, piece));
        word.remove_prefix(piece);
      }
      wordWidth = widthOf(word, size);
    }
    line = word;
    lineWidth = wordWidth;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace lumora
