#pragma once
// What the render run asks of its starter, answered from lumora-render's
// command line: the "chosen" file is the invoice being rendered, the medium
// is PDF unless a printer was named, and the viewer starts only when asked
// for.

#include <optional>
#include <string>

#include "render/render_host.h"

namespace lumora::cli {

// An opener that opens nothing, for runs without --open.
class NoOpener final : public Opener {
 public:
  void open(const std::string& /*target*/, const std::string& /*workingDirectory*/) override {}
};

class CommandLineHost final : public RenderHost {
 public:
  // `outputDir` absolute, or empty for the invoice's own folder.
  CommandLineHost(std::string outputDir, bool longText, Opener& opener)
      : m_outputDir(std::move(outputDir)), m_longText(longText), m_opener(opener) {}

  // The absolute path of the invoice the next run renders.
  void selectInvoice(std::string invoicePath) { m_invoice = std::move(invoicePath); }

  // With --printer the printer is chosen by name before the first run.
  void setMedium(Medium medium) { m_medium = medium; }

  Medium medium() const override { return m_medium; }
  std::optional<std::string> chooseInvoiceFile() override { return m_invoice; }
  std::string outputFolderFor(const std::string& invoicePath) const override {
    return m_outputDir.empty() ? RenderHost::outputFolderFor(invoicePath) : m_outputDir;
  }
  bool choosePrinter() override { return m_medium == Medium::Printer; }
  bool longTextChecked() const override { return m_longText; }
  Opener& opener() override { return m_opener; }

 private:
  std::string m_invoice;
  std::string m_outputDir;
  Medium m_medium = Medium::Pdf;
  bool m_longText;
  Opener& m_opener;
};

}  // namespace lumora::cli
