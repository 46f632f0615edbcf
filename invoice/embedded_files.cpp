#include "invoice/embedded_files.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "invoice/embedded_files_module.h"
#include "platform/exceptions.h"
#include "platform/library_loader.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"

namespace lumora {
namespace {

// Loaded on the first PDF and kept until the program ends.
OpenEmbeddedFilesFunction moduleEntry() {
  static std::mutex mutex;
  static OpenEmbeddedFilesFunction entry = nullptr;
  const std::lock_guard lock(mutex);
  if (entry) return entry;
  ModuleHandle module = LoadLibraryW(kEmbeddedFilesModule);
  if (!module) {
    throw Exception("PDF-Dateien können nicht gelesen werden: " + lastLoadError());
  }
  entry =
      reinterpret_cast<OpenEmbeddedFilesFunction>(GetProcAddress(module, kOpenEmbeddedFilesSymbol));
  if (!entry) {
    FreeLibrary(module);
    throw Exception("PDF-Dateien können nicht gelesen werden: das Modul passt nicht zum Programm");
  }
  return entry;
}

}  // namespace

std::unique_ptr<EmbeddedFiles> openEmbeddedFiles(const std::string& path) {
  const OpenEmbeddedFilesFunction open = moduleEntry();
  std::string error;
  int errorCode = 0;
  std::unique_ptr<EmbeddedFiles> pdf(open(path.c_str(), &error, &errorCode));
  if (pdf) return pdf;
  if (errorCode != 0) throw InOutError(error, errorCode);
  throw Exception(error);
}

std::string embeddedFileContents(const EmbeddedFiles& pdf, std::size_t index) {
  std::string bytes;
  std::string error;
  if (!pdf.read(index, bytes, error)) throw Exception(error);
  return bytes;
}

bool startsLikePdf(std::string_view head) {
  head = head.substr(0, 1024);
  const std::size_t header = head.find("%PDF-");
  return header != std::string_view::npos &&
         head.substr(0, header).find('<') == std::string_view::npos;
}

bool isPdfFile(const std::string& path) {
  const int fd = openRegularFile(path);
  char head[1024];
  ssize_t length = 0;
  do {
    length = ::read(fd, head, sizeof(head));
  } while (length < 0 && errno == EINTR);
  const int error = errno;
  ::close(fd);
  if (length < 0) throwInOutError(error);
  return startsLikePdf(std::string_view(head, static_cast<std::size_t>(length)));
}

}  // namespace lumora
