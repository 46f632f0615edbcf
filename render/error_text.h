#pragma once
// The text of the error box that shows an error which stopped a command. The
// window's error box and lumora-render's error lines both use it.

#include <exception>
#include <string>

namespace lumora {

// The error's message, with a full stop added when its last byte sorts after
// "." in byte order: "Datei nicht gefunden" gets one, "Out of memory!" and a
// message ending in "." or ")" do not.
inline std::string errorBoxText(const std::exception& error) {
  std::string text = error.what();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace lumora
