#include "render/output_path.h"

namespace lumora {
namespace {

bool unfitForFileName(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F) return true;
  switch (byte) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string pdfFileName(std::string_view invoicenr) {
  std::string name = "Beleg-";
  for (const char c : invoicenr) name += unfitForFileName(static_cast<unsigned char>(c)) ? '_' : c;
  name += ".pdf";
  return name;
}

std::string pdfOutputPath(std::string_view directory, std::string_view invoicenr) {
  std::string path(directory);
  path += '/';
  path += pdfFileName(invoicenr);
  return path;
}

}  // namespace lumora
