// Replaces a file all at once, inside a folder held open by a descriptor: the
// bytes go into an unnamed temporary file in that folder, which takes the
// target's name only when everything was written and flushed to disk. A
// failure at any point, or a signal that ends the process, leaves the target
// as it was and no temporary file behind. Renaming the folder meanwhile, or
// putting a symbolic link in its place, does not lead the file elsewhere.
#ifndef DYNAPDF_ATOMIC_FILE_H
#define DYNAPDF_ATOMIC_FILE_H

#include <signal.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dynapdf {

// An owned file descriptor, closed with the object.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : m_fd(fd) {}
  Descriptor(Descriptor&& other) noexcept : m_fd(other.release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  ~Descriptor();
  int get() const { return m_fd; }
  bool valid() const { return m_fd >= 0; }
  int release() noexcept;

 private:
  int m_fd = -1;
};

// A descriptor of `path`'s folder, opened now; invalid (errno set) on failure.
Descriptor openFolderOf(const std::string& path);
// A private copy of the caller's folder descriptor; invalid when it is none.
Descriptor copyFolderDescriptor(int folder);

class AtomicFile {
 public:
  // `folder` stays open for the object's life; `name` is a bare file name.
  AtomicFile(int folder, std::string name) : m_folder(folder), m_name(std::move(name)) {}
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // discards the temporary file unless commit() succeeded

  // Creates the temporary file. False when the folder does not take it.
  bool open();
  // Appends bytes. After the first failure every further call fails too.
  bool write(const unsigned char* data, size_t length);
  // Flushes, closes and gives the temporary file the target's name.
  bool commit();
  // The errno value of the first failure, 0 when there was none.
  int error() const { return m_error; }

  // A named temporary file, where one is needed, is named this prefix and
  // six random characters.
  static constexpr std::string_view kTemporaryPrefix = ".dynapdf-";
  // A temporary file unchanged for this long was left by a crashed writer.
  static constexpr long kStaleAfterSeconds = 10 * 60;

 private:
  static constexpr size_t kBufferSize = 64 * 1024;

  bool fail(int error);
  bool flush();
  bool writeAll(const unsigned char* data, size_t length);
  bool createNamedTemporary(unsigned mode);
  bool nameTheUnnamedFile();
  void holdSignals();
  void releaseSignals();
  void discard();

  int m_folder;
  std::string m_name;
  std::string m_temporary;              // the temporary file's name once it has one
  std::vector<unsigned char> m_buffer;  // written bytes not yet in the file
  int m_fd = -1;
  bool m_failed = false;
  int m_error = 0;
  bool m_committed = false;
  bool m_signalsHeld = false;
  sigset_t m_signalsBefore{};
};

}  // namespace dynapdf

#endif
