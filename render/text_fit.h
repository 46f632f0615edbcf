#pragma once
// Fitting a text to the room it has across the page: every text of the
// layout has a box, from its x up to the next text on its line or the
// printable area's right edge. A text too wide for it is set smaller, down
// to 6 pt, and when even that is too wide it ends with "…". A note that
// must keep its size wraps at blanks into lines instead. Widths are in the
// layout's millimetres, as the output medium measures them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// How wide a text is at a size in points, in millimetres.
using TextWidth = std::function<double(std::string_view text, int size)>;

// The smallest size a text is set in to fit its box.
inline constexpr int kSmallestFittedSize = 6;
inline constexpr std::string_view kEllipsis = "…";

struct FittedText {
  std::string text;
  int size = 0;
};

// `text` at `size` when it fits `room`; else at the largest smaller whole
// size, down to kSmallestFittedSize, at which it fits; else at that size,
// cut between characters where the rest and "…" still fit.
FittedText fitText(const TextWidth& widthOf, std::string_view text, int size, double room);

// `text` in lines no wider than `room` at `size`, broken at blanks; a word
// wider than the room stands alone, broken between characters over as many
// lines as it needs. An empty text gives one empty line.
std::vector<std::string> wrapAtBlanks(const TextWidth& widthOf, std::string_view text, int size,
                                      double room);

}  // namespace lumora
