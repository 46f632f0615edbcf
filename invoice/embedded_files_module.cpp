// The embedded-files module: qpdf behind the one entry point the program
// looks up, so that qpdf and the libraries it needs are loaded only when a
// PDF is opened.

#include "invoice/embedded_files_module.h"
#include "invoice/qpdf_embedded_files.h"
#include "platform/exceptions.h"

extern "C" __attribute__((visibility("default"))) lumora::EmbeddedFiles*
lumora_open_embedded_files_v1(const char* path, std::string* error, int* errorCode) noexcept {
  *errorCode = 0;
  try {
    return lumora::readPdfEmbeddedFiles(path).release();
  } catch (const lumora::InOutError& failure) {
    *error = failure.what();
    *errorCode = failure.errorCode();
  } catch (const std::exception& failure) {
    *error = failure.what();
  } catch (...) {
    *error = std::string(lumora::kPdfDamaged);
  }
  return nullptr;
}

// The entry point's type is the one the program expects.
static_assert(
    std::is_same_v<decltype(&lumora_open_embedded_files_v1), lumora::OpenEmbeddedFilesFunction>);
