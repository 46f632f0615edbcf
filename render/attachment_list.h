#pragma once
// The line under the payment note that names the files an invoice carries:
// "Anlagen: name1, name2", broken where it would pass the printable width.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

struct LayoutContext;

inline constexpr std::string_view kAttachmentsLabel = "Anlagen: ";

// The lines of the list for `names` (none when there are none), each at
// most `width` wide as `widthOf` measures it: a line breaks after a ", ",
// and the following lines start where the label does. A name wider than the
// width stands alone on its line.
std::vector<std::string> attachmentLines(const std::vector<std::string>& names, double width,
                                         const std::function<double(std::string_view)>& widthOf);

// The lines of the invoice's list in the base size within the printable
// width, as the current medium measures them; none without attachments.
std::vector<std::string> attachmentListLines(LayoutContext& layout);

// Draws the list of the invoice's attachments from `y` down at the left
// margin; a line that would reach the footer goes to a new page. Leaves ypos
// under the list, or at `y` when there is none.
void drawAttachmentList(LayoutContext& layout, int y);

}  // namespace lumora
