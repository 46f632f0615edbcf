#pragma once
// What the window tests share: a fresh current directory per test, a
// recording opener and a watcher that answers the next message box.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/opener.h"
#include "temp_dir.h"

namespace lumora::test {

// Makes a fresh folder the current directory and goes back afterwards.
class CurrentDirectoryScope {
 public:
  CurrentDirectoryScope() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(m_folder.path());
  }
  ~CurrentDirectoryScope() { std::filesystem::current_path(m_previous); }
  const TempDir& folder() const { return m_folder; }

 private:
  std::filesystem::path m_previous;
  TempDir m_folder;
};

// The calls of the opener, as (target, working directory).
using OpenCalls = std::vector<std::pair<std::string, std::string>>;

class RecordingOpener final : public Opener {
 public:
  explicit RecordingOpener(std::shared_ptr<OpenCalls> calls) : m_calls(std::move(calls)) {}
  void open(const std::string& target, const std::string& workingDirectory) override {
    m_calls->emplace_back(target, workingDirectory);
  }

 private:
  std::shared_ptr<OpenCalls> m_calls;
};

// Answers the next message box that opens with OK, after noting what it
// showed. Arm it before the action that opens the box.
struct SeenMessageBox {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool hasOkButton = false;
};

inline std::shared_ptr<SeenMessageBox> answerNextMessageBox() {
  auto seen = std::make_shared<SeenMessageBox>();
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [seen, poll] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen->shown = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->hasOkButton = box->button(QMessageBox::Ok) != nullptr;
    box->button(QMessageBox::Ok)->click();
    poll->stop();
    poll->deleteLater();
  });
  poll->start();
  return seen;
}

}  // namespace lumora::test
