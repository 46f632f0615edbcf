#pragma once
// Where a piece of a raw text may end: the item table prints names and long
// texts in pieces of a fixed number of bytes, each decoded on its own, so a
// cut must never fall inside a UTF-8 character, an entity or a character
// reference. It moves left to where that unit begins, and the next piece
// starts with the whole unit.

#include <cstddef>
#include <string_view>

namespace lumora {

struct Cut {
  std::string_view piece;
  std::string_view rest;
};

// The first piece of at most `width` bytes and what follows it. A unit longer
// than a whole piece (a reference padded with zeros) makes a longer piece of
// its own rather than an empty one.
Cut cutPiece(std::string_view text, std::size_t width);

}  // namespace lumora
