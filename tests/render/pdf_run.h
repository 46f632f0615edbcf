#pragma once
// A whole Start run on the PDF medium with the real PDF library, writing the
// PDF into a folder of the test's choice, so that invoices can be read from
// where they lie without leaving files next to them.

#include <memory>
#include <string>

#include "tests/render/render_fixture.h"

namespace lumora::test {

class ToFolderHost final : public FakeHost {
 public:
  std::string outputFolderFor(const std::string&) const override { return folder; }
  bool longTextChecked() const override { return longText; }
  std::string folder;
  bool longText = false;
};

// Renders `invoicePath` into `folder` and returns the written PDF's path.
// Errors of the run propagate unchanged.
inline std::string renderPdf(const std::string& invoicePath, const std::string& folder,
                             bool longText = false) {
  KeepCurrentDirectory keep;
  ToFolderHost host;
  host.selected = Medium::Pdf;
  host.folder = folder;
  host.chosenFile = invoicePath;
  host.longText = longText;
  TextOutput output(host, nullptr);
  RenderRun run(host, output);
  run.start();
  return run.writtenPdf();
}

}  // namespace lumora::test
