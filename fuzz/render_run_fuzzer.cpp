// The whole render run, PDF medium, from arbitrary invoice bytes: it must end
// with a written PDF or one of the program's own errors, and leave no other
// file behind. Half the runs check the long-text box.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/scratch_folder.h"
#include "output/text_output.h"
#include "platform/exceptions.h"
#include "render/render_host.h"
#include "render/render_run.h"

namespace {

using namespace lumora;

class NoOpener final : public Opener {
 public:
  void open(const std::string& /*target*/, const std::string& /*workingDirectory*/) override {}
};

class FuzzHost final : public RenderHost {
 public:
  Medium medium() const override { return Medium::Pdf; }
  std::optional<std::string> chooseInvoiceFile() override { return invoice; }
  bool choosePrinter() override { return false; }
  bool longTextChecked() const override { return longText; }
  Opener& opener() override { return m_opener; }

  std::string invoice;
  bool longText = false;

 private:
  NoOpener m_opener;
};

// Everything but the invoice in the scratch folder; removes it all.
int removeOutput(const std::string& keep) {
  int others = 0;
  for (const auto& entry : std::filesystem::directory_iterator(fuzz::scratchFolder())) {
    if (entry.path().filename() == keep) continue;
    ++others;
    std::filesystem::remove_all(entry.path());
  }
  return others;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  // One window's worth of state for the whole process, never destroyed, as
  // the program keeps its PDF binding from the first run to the end.
  static FuzzHost& host = *new FuzzHost;
  static TextOutput& output = *new TextOutput(host, /*printer=*/nullptr);
  static RenderRun& run = *new RenderRun(host, output);

  if (size == 0) return 0;
  host.longText = bytes[0] & 1;
  const std::string_view invoice(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  host.invoice = fuzz::writeScratchFile("rechnung.xml", invoice);

  bool failed = false;
  try {
    run.start();
  } catch (const Exception&) {
    failed = true;  // no invoice or no XML, a conversion error or a file name too long
  }
  const std::string written = run.writtenPdf();
  if (failed != written.empty()) std::abort();
  if (!written.empty()) {
    std::FILE* pdf = std::fopen(written.c_str(), "rb");
    char head[5] = {};
    if (!pdf || std::fread(head, 1, 5, pdf) != 5 || std::string_view(head, 5) != "%PDF-") {
      std::fprintf(stderr, "no PDF at %s\n", written.c_str());
      std::abort();
    }
    std::fclose(pdf);
  }
  // The PDF at most; a failed run leaves nothing.
  if (removeOutput("rechnung.xml") != (failed ? 0 : 1)) {
    std::fprintf(stderr, "stray files after the run\n");
    std::abort();
  }
  return 0;
}
