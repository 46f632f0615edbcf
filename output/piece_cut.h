#pragma once
// Where a piece of a text may end: the item table prints names and long
// texts in pieces of a fixed number of characters. A cut never falls inside
// a UTF-8 character, and a piece that would end inside a word ends after its
// last blank instead, when it holds one; the next piece starts behind that
// blank.

#include <cstddef>
#include <string_view>

namespace lumora {

struct Cut {
  std::string_view piece;
  std::string_view rest;
};

// The first piece of at most `width` characters and what follows it.
Cut cutPiece(std::string_view text, std::size_t width);

}  // namespace lumora
