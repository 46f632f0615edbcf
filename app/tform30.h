#pragma once
// The about window "über Lumora E-Viewer": the product's picture, a text box
// with version and maker, and a close button that only hides the window.
// It is made once, hidden, and lives until the program ends; Escape hides it.

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QPlainTextEdit;
class QPushButton;
QT_END_NAMESPACE

namespace lumora {

class TForm30 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm30(QWidget* parent = nullptr);

 public slots:
  void BitBtn1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* Image2;
  QPlainTextEdit* Memo1;
  QPushButton* BitBtn1;
};

}  // namespace lumora
