// Replaces a file all at once: the bytes go into a temporary file beside the
// target, which is renamed over the target only when everything was written
// and flushed to disk. A failure at any point leaves the target as it was and
// removes the temporary file.
#ifndef DYNAPDF_ATOMIC_FILE_H
#define DYNAPDF_ATOMIC_FILE_H

#include <cstddef>
#include <string>
#include <vector>

namespace dynapdf {

class AtomicFile {
 public:
  explicit AtomicFile(std::string target) : m_target(std::move(target)) {}
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // discards the temporary file unless commit() succeeded

  // Creates the temporary file. False when the folder does not take it.
  bool open();
  // Appends bytes. After the first failure every further call fails too.
  bool write(const unsigned char* data, size_t length);
  // Flushes, closes and renames the temporary file over the target.
  bool commit();

 private:
  static constexpr size_t kBufferSize = 64 * 1024;

  bool flush();
  bool writeAll(const unsigned char* data, size_t length);
  void discard();

  std::string m_target;
  std::string m_temporary;
  std::vector<unsigned char> m_buffer;  // written bytes not yet in the file
  int m_fd = -1;
  bool m_failed = false;
  bool m_committed = false;
};

}  // namespace dynapdf

#endif
