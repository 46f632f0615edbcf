#pragma once
// What the render tests share: a host whose dialogs answer as the test says,
// an opener that records, the invoice builder, and a run on the recording
// printer (positions in millimetres) or on a PDF library.

#include <unistd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output/text_output.h"
#include "platform/current_directory.h"
#include "render/render_host.h"
#include "render/render_run.h"
#include "tests/support/invoice_builder.h"
#include "tests/support/recording_printer.h"
#include "tests/support/temp_dir.h"

namespace lumora::test {

class RecordingOpener : public Opener {
 public:
  void open(const std::string& target, const std::string& workingDirectory) override {
    calls.emplace_back(target, workingDirectory);
  }
  std::vector<std::pair<std::string, std::string>> calls;
};

class FakeHost : public RenderHost {
 public:
  Medium medium() const override { return selected; }
  std::optional<std::string> chooseInvoiceFile() override { return chosenFile; }
  bool choosePrinter() override {
    ++printDialogs;
    return printerChosen;
  }
  bool longTextChecked() const override { return false; }
  Opener& opener() override { return recorder; }

  Medium selected = Medium::Printer;
  std::optional<std::string> chosenFile;  // nothing: the dialog is cancelled
  bool printerChosen = true;
  int printDialogs = 0;
  RecordingOpener recorder;
};

// Every run changes the current directory; the test's own is put back.
class KeepCurrentDirectory {
 public:
  KeepCurrentDirectory() : m_directory(GetCurrentDirectoryA()) {}
  ~KeepCurrentDirectory() { (void)::chdir(m_directory.c_str()); }

 private:
  std::string m_directory;
};

// The parts of a run, on the printer at 254 dpi unless the medium is PDF.
struct RunRig {
  explicit RunRig(Medium medium = Medium::Printer,
                  std::u16string library = std::u16string(kPdfLibraryName)) {
    host.selected = medium;
    output = std::make_unique<TextOutput>(host, &printer, systemLibraryLoader(), library);
    run = std::make_unique<RenderRun>(host, *output);
  }

  // Runs Start as if `path` had been chosen.
  void start(const std::string& path) {
    host.chosenFile = path;
    run->start();
  }

  KeepCurrentDirectory keep;
  FakeHost host;
  RecordingPrinter printer;
  std::unique_ptr<TextOutput> output;
  std::unique_ptr<RenderRun> run;
};

// The texts of a page as "y x size text", for comparing whole columns.
inline std::vector<std::string> placed(const RecordingPrinter& printer, int page,
                                       bool (*keep)(const PrintedText&)) {
  std::vector<std::string> result;
  for (const PrintedText& t : printer.onPage(page)) {
    if (keep(t)) {
      result.push_back(std::to_string(t.y) + " " + std::to_string(t.x) + " " +
                       std::to_string(t.size) + " " + t.text);
    }
  }
  return result;
}

}  // namespace lumora::test
