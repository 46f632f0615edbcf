#pragma once
// The render run behind the window's "Start" button and each file of
// lumora-render: one invoice file becomes one PDF file or one print job.
//
// The file is read first, in one pass, into one invoice value, and refused
// before anything is drawn when it is no UBL or CII invoice (or no XML); a
// file replaced afterwards cannot mix into the run. Each text then goes at
// once to drucke. The header and party blocks, the item table and the totals follow
// one another on the running y position; the page change draws the footer,
// starts the next page and its continuation header. At the end the last
// footer is drawn and the PDF is written as "Beleg-<number>.pdf" into the
// current directory (the invoice's folder) and opened, or the print job ends.

#include <string>
#include <string_view>

#include "invoice/invoice.h"
#include "output/text_output.h"
#include "platform/output_folder.h"
#include "render/render_host.h"

namespace lumora {

struct LayoutContext;

// The run that would write its PDF over the invoice itself stops.
inline constexpr std::string_view kOutputIsInput =
    "Die PDF-Datei würde die E-Rechnung selbst ersetzen und wird nicht geschrieben: ";

class RenderRun {
 public:
  RenderRun(RenderHost& host, TextOutput& output);

  // The whole run, from the choice of the file on. Errors propagate unchanged to the caller after
  // the unfinished document or print job has been discarded.
  void start();

  // Path of the PDF the last run wrote, empty when it wrote none.
  const std::string& writtenPdf() const { return m_writtenPdf; }

 private:
  void layOut(const Invoice& invoice);
  void finish(LayoutContext& layout);

  RenderHost& m_host;
  TextOutput& m_output;
  std::string m_writtenPdf;
  // The current directory the run started in, held open: the PDF is written
  // there or not at all, even when the folder is removed or renamed while the
  // run works.
  OutputFolder m_outputFolder;
  // The invoice being rendered: never the PDF's own path.
  std::string m_invoicePath;
};

}  // namespace lumora
