#pragma once
// The columns of the item table, left to right: the heading above each and the
// x in millimetres at which the heading and every row's text of it stand.

#include <array>
#include <cstddef>
#include <string_view>

namespace lumora {

enum class Column { Pos, ArtikelNr, Bezeichnung, Menge, Mwst, Einzelpreis, Gesamtpreis };

struct ItemColumn {
  std::string_view heading;
  int x;
};

inline constexpr std::array<ItemColumn, 7> kItemColumns = {{
    {"Pos", 20},
    {"ArtikelNr", 30},
    {"Bezeichnung", 50},
    {"Menge", 110},
    {"MWST", 125},
    {"Einzelpreis", 145},
    {"Gesamtpreis", 165},
}};

constexpr int columnX(Column column) {
  return kItemColumns[static_cast<std::size_t>(column)].x;
}

}  // namespace lumora
