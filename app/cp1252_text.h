#pragma once
// Windows-1252 texts (the operator's name in the settings file) to and from
// the QString of the widgets.

#include <QString>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace lumora {

inline QString fromCp1252(std::string_view text) {
  const std::u16string wide = cp1252ToUtf16(text);
  return QString::fromUtf16(wide.data(), qsizetype(wide.size()));
}

// A character outside the code page becomes "?".
inline std::string toCp1252(const QString& text) {
  return utf16ToCp1252(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

}  // namespace lumora
