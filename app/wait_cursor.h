#pragma once
// The cursor while a command works. The render run blocks the window, so
// the wait cursor shows for its whole length, except while one of its
// dialogs asks the user something.

#include <QApplication>
#include <QCursor>

namespace lumora {

class OverrideCursor {
 public:
  explicit OverrideCursor(Qt::CursorShape shape) {
    QApplication::setOverrideCursor(QCursor(shape));
  }
  ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
  OverrideCursor(const OverrideCursor&) = delete;
  OverrideCursor& operator=(const OverrideCursor&) = delete;
};

struct WaitCursor : OverrideCursor {
  WaitCursor() : OverrideCursor(Qt::WaitCursor) {}
};

// The normal arrow over a dialog shown in the middle of a run.
struct DialogCursor : OverrideCursor {
  DialogCursor() : OverrideCursor(Qt::ArrowCursor) {}
};

}  // namespace lumora
