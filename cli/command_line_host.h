#pragma once
// What the render run asks of its starter, answered from lumora-render's
// command line: the "chosen" file is the invoice being rendered, the medium
// is PDF unless a printer was named, and the viewer starts only when asked
// for.

#include <map>
#include <optional>
#include <string>

#include "platform/exceptions.h"
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
  CommandLineHost(std::string outputDir, bool longText, bool overwrite, Opener& opener)
      : m_outputDir(std::move(outputDir)),
        m_longText(longText),
        m_overwrite(overwrite),
        m_opener(opener) {}

  // The absolute path of the invoice the next run renders, and its name as
  // given on the command line.
  void selectInvoice(std::string invoicePath, std::string named) {
    m_invoice = std::move(invoicePath);
    m_named = std::move(named);
  }

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

  // One call, one file per path: two invoices of the same number (or numbers
  // that differ only in characters a file name cannot hold) would otherwise
  // leave only the last one's PDF.
  void claimOutputFile(const std::string& path) override {
    if (m_overwrite) return;
    if (const auto earlier = m_written.find(path); earlier != m_written.end()) {
      throw Exception(path + " was written for " + earlier->second +
                      " earlier in this call; not replaced (--overwrite replaces it)");
    }
  }

  // Remembers the PDF the last run wrote.
  void pdfWritten(const std::string& path) { m_written.emplace(path, m_named); }

 private:
  std::string m_invoice;
  std::string m_named;
  std::string m_outputDir;
  Medium m_medium = Medium::Pdf;
  bool m_longText;
  bool m_overwrite;
  Opener& m_opener;
  std::map<std::string, std::string> m_written;  // PDF path -> invoice as named
};

}  // namespace lumora::cli
