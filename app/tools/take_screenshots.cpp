// Takes the README's pictures of the main window: the Login page and the
// Rechnung page. Run by hand under a display (for example xvfb-run):
//   lumora-take-screenshots docs/main-window.png docs/main-window-rechnung.png
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/application.h"
#include "app/tform1.h"

namespace {

bool grabWindow(QWidget& window, const char* path) {
  QTest::qWait(300);
  return window.grab().save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  lumora::Application application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s LOGIN.png RECHNUNG.png\n", argv[0]);
    return 2;
  }
  lumora::TForm1 window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.findChild<QLineEdit*>("Edit1")->setText("Müller");
  if (!grabWindow(window, argv[1])) return 1;
  window.findChild<QPushButton*>("BitBtn1")->click();
  return grabWindow(window, argv[2]) ? 0 : 1;
}
