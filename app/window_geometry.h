#pragma once
// The windows were laid out for a frame with 8-pixel sizing borders and a
// 31-pixel caption (top border included) at 96 dots per inch. The desktop
// draws its own frame here, so the windows are given the client area that
// remained inside that frame.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace lumora {

inline constexpr int kFrameBorder = 8;
inline constexpr int kCaptionHeight = 31;

// The client size inside an outer size given with that frame.
constexpr QSize clientSizeFor(int outerWidth, int outerHeight) {
  return QSize(outerWidth - 2 * kFrameBorder, outerHeight - kCaptionHeight - kFrameBorder);
}

// Places `window` in the middle of its screen's free area.
void centreOnScreen(QWidget& window);

}  // namespace lumora
