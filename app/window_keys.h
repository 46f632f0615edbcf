#pragma once
// Enter on a focused push button presses it, as on the desktops the
// windows were designed for; Qt's buttons outside dialogs take only Space.
// The key is taken at the button itself, so an Enter that another control
// passes on (the name field's, after it has logged in) presses nothing.

#include <QKeyEvent>
#include <QObject>
#include <QPushButton>

namespace lumora {

class EnterPressesButton final : public QObject {
 public:
  using QObject::QObject;

  // Lets Enter press every push button of `window`.
  static void installOn(QWidget& window) {
    auto* filter = new EnterPressesButton(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>())
      button->installEventFilter(filter);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    static_cast<QPushButton*>(watched)->click();
    return true;
  }
};

}  // namespace lumora
