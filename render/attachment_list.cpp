#include "render/attachment_list.h"

#include "render/layout_context.h"

namespace lumora {
namespace {

constexpr int kLeftX = 20;
// The printable area ends 5 mm before the paper's right edge (A4: 210 mm);
// the footer's rule stands at 270 mm.
constexpr int kRightX = 205;
constexpr int kLastY = 265;

// A text's width in millimetres at `size` points, estimated at 0.7 em per
// character: wider than Arial's average, so that the list stays within the
// width without measuring the font.
double estimatedWidth(std::string_view text, int size) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return static_cast<double>(characters) * 0.7 * size * 25.4 / 72;
}

}  // namespace

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

void drawAttachmentList(LayoutContext& layout, int y) {
  if (layout.invoice.attachments.empty()) return;
  std::vector<std::string> names;
  for (const Attachment& attachment : layout.invoice.attachments) names.push_back(attachment.name);
  RenderState& state = layout.state;
  const int size = state.basesize;
  const auto widthOf = [size](std::string_view text) { return estimatedWidth(text, size); };
  for (const std::string& line : attachmentLines(names, kRightX - kLeftX, widthOf)) {
    if (y > kLastY) {
      pagechange(layout);
      y = state.ypos;
    }
    layout.draw(kLeftX, y, line, size);
    y += state.linestep;
  }
  state.ypos = y;
}

}  // namespace lumora
