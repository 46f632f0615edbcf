#include "render/attachment_list.h"

namespace lumora {

std::vector<std::string> attachmentLines(const std::vector<std::string>& names, double width,
                                         const std::function<double(std::string_view)>& widthOf) {
  std::vector<std::string> lines;
  if (names.empty()) return lines;
  std::string line(kAttachmentsLabel);
  bool lineHasName = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string piece = names[i] + (i + 1 < names.size() ? "," : "");
    const std::string candidate = line + (lineHasName ? " " : "") + piece;
    if (lineHasName && widthOf(candidate) > width) {
      lines.push_back(line);
      line = piece;
    } else {
      line = candidate;
    }
    lineHasName = true;
  }
  lines.push_back(line);
  return lines;
}

}  // namespace lumora
