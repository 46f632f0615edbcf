#include "render/attachment_list.h"

#include "render/layout_context.h"

namespace lumora {
namespace {

constexpr int kLeftX = 20;

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

std::vector<std::string> attachmentListLines(LayoutContext& layout) {
  std::vector<std::string> names;
  for (const Attachment& attachment : layout.invoice.attachments) names.push_back(attachment.name);
  const int size = layout.state.basesize;
  const TextWidth widthOf = layout.widthOf();
  return attachmentLines(names, kPrintableRight - kLeftX,
                         [&](std::string_view text) { return widthOf(text, size); });
}

void drawAttachmentList(LayoutContext& layout, int y) {
  RenderState& state = layout.state;
  for (const std::string& line : attachmentListLines(layout)) {
    if (y > kLowestNoteLine) {
      pagechange(layout);
      y = state.ypos;
    }
    layout.drawInBox(kLeftX, y, line, state.basesize);
    y += state.linestep;
  }
  state.ypos = y;
}

}  // namespace lumora
