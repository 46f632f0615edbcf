#pragma once
// The run-time library's text files, as the settings file uses them, and a
// plain byte reader for the invoice.
//
// Line model: a line ends at CR, at CR LF (the LF belongs to the line end) or
// at a lone LF; line-end bytes are not part of the line. Byte 26 ends the file:
// neither it nor anything after it is read. The last line needs no line end.
// Lines have no length limit and nothing is trimmed.
//
// Failures raise InOutError with the run-time library's German messages.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lumora {

class TextFileReader {
 public:
  // The first read is small, so that a reader that needs only a few lines
  // does not pay for a large block; later reads grow up to 256 KiB.
  static constexpr std::size_t kFirstReadSize = 4 * 1024;

  // Opens `path` for reading; throws InOutError when it cannot.
  explicit TextFileReader(const std::string& path);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  // Reads the next line into `line`. Returns false, with `line` empty, when the
  // file has no line left.
  bool readLine(std::string& line);

 private:
  bool fill();
  std::size_t lineEndFrom(std::size_t from);

  int m_fd = -1;
  std::unique_ptr<char[]> m_buffer;
  std::size_t m_capacity = 0;
  std::uint64_t m_bufferStart = 0;          // file offset of m_buffer[0]
  std::size_t m_readSize = kFirstReadSize;  // bytes the next read asks for
  std::size_t m_pos = 0;                    // next unread byte
  std::size_t m_end = 0;                    // end of the bytes read so far
  bool m_noMoreInput = false;               // end of file or byte 26 reached
  std::size_t m_nextCr = 0;                 // cached search results, valid when >= m_pos
  std::size_t m_nextLf = 0;
  bool m_cacheValid = false;
};

// A regular file opened for reading its bytes in order, without a line model:
// the invoice reader streams it in blocks.
class ByteFileReader {
 public:
  // Opens `path`; throws InOutError when it cannot, or when it is no regular
  // file (a pipe or a device might never end).
  explicit ByteFileReader(const std::string& path);
  ~ByteFileReader();
  ByteFileReader(const ByteFileReader&) = delete;
  ByteFileReader& operator=(const ByteFileReader&) = delete;

  // Reads up to `most` bytes into `into`; 0 at the end of the file. Throws
  // InOutError when the read fails.
  std::size_t read(char* into, std::size_t most);

 private:
  int m_fd = -1;
};

// Whether `path` names an existing file.
bool fileExists(const std::string& path);

// Creates or replaces `path` with the one line `line` followed by CR LF.
// Throws InOutError when that fails.
void writeTextLine(const std::string& path, std::string_view line);

// The run-time library's message for an operating-system error number.
std::string inOutErrorMessage(int errorCode);

[[noreturn]] void throwInOutError(int errorCode);

}  // namespace lumora
