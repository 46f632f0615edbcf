#include "app/jpeg_picture.h"

// jpeglib.h expects FILE and size_t to be declared.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <QFile>
#include <cstdio>

#include "platform/exceptions.h"

namespace lumora {

namespace {

// libjpeg must not return from its error handler. Throwing unwinds through
// its frames (they carry unwind tables) back to decodeJpeg, which releases
// the decoder; no longjmp over C++ objects is needed.
[[noreturn]] void throwDecodeError(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX] = {};
  (*info->err->format_message)(info, message);
  throw Exception(std::string("JPEG: ") + message);
}

// Owns the decompressor for the whole decode, also when libjpeg throws.
class Decompressor {
 public:
  Decompressor() {
    m_info.err = jpeg_std_error(&m_errors);
    m_errors.error_exit = throwDecodeError;
    jpeg_create_decompress(&m_info);
  }
  ~Decompressor() { jpeg_destroy_decompress(&m_info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  jpeg_decompress_struct* operator->() { return &m_info; }
  jpeg_decompress_struct* get() { return &m_info; }

 private:
  jpeg_error_mgr m_errors{};
  jpeg_decompress_struct m_info{};
};

}  // namespace

QImage decodeJpeg(const QByteArray& jpeg) {
  Decompressor decoder;
  jpeg_mem_src(decoder.get(), reinterpret_cast<const unsigned char*>(jpeg.constData()),
               static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(decoder.get(), TRUE);
  decoder->out_color_space = JCS_RGB;
  jpeg_start_decompress(decoder.get());

  QImage image(int(decoder->output_width), int(decoder->output_height), QImage::Format_RGB888);
  while (decoder->output_scanline < decoder->output_height) {
    JSAMPROW row = image.scanLine(int(decoder->output_scanline));
    jpeg_read_scanlines(decoder.get(), &row, 1);
  }
  jpeg_finish_decompress(decoder.get());
  return image;
}

QImage builtInPicture(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Exception("Bild nicht gefunden: " + path.toStdString());
  return decodeJpeg(file.readAll());
}

}  // namespace lumora
