#pragma once
// The errors of the program: one general exception carrying the message that
// the error box shows, and the two kinds that the run-time library raises.

#include <stdexcept>
#include <string>

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

}  // namespace lumora
