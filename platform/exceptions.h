#pragma once
// The errors of the program: one general exception carrying the message that
// the error box shows, and the two kinds that the run-time library raises.

#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora {

// The class library's general exception: its what() is the text the user sees.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opening, reading or writing a file failed ("Datei nicht gefunden", ...).
class InOutError : public Exception {
 public:
  InOutError(const std::string& message, int errorCode)
      : Exception(message), m_errorCode(errorCode) {}
  // The operating system's error number behind the message.
  int errorCode() const noexcept { return m_errorCode; }

 private:
  int m_errorCode;
};

// A text could not be converted to a number ("'%s' ist kein gültiger Gleitkommawert").
class ConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Text from the invoice as a message quotes it: at most 200 bytes, then "…",
// so that an element that never ends does not make a message of megabytes.
// The cut never splits a UTF-8 character.
inline std::string quotedExcerpt(std::string_view text) {
  constexpr std::size_t kMostBytes = 200;
  if (text.size() <= kMostBytes) return std::string(text);
  std::size_t cut = kMostBytes;
  while (cut > kMostBytes - 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "…";
}

// The operating system's text for an errno value.
inline std::string systemErrorText(int error) {
  char buffer[256];
  return ::strerror_r(error, buffer, sizeof(buffer));
}

}  // namespace lumora
