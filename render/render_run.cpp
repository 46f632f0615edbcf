#include "render/render_run.h"

#include "invoice/pdf_invoice.h"
#include "platform/current_directory.h"
#include "platform/exceptions.h"
#include "platform/regular_file.h"
#include "render/layout_context.h"
#include "render/output_path.h"

namespace lumora {

RenderRun::RenderRun(RenderHost& host, TextOutput& output) : m_host(host), m_output(output) {}

void RenderRun::start() {
  m_writtenPdf.clear();
  const std::optional<std::string> chosen = m_host.chooseInvoiceFile();
  if (!chosen) return;
  // The file dialog makes the invoice's folder the current directory; the
  // PDF is written there.
  setCurrentDirectory(m_host.outputFolderFor(*chosen));
  m_outputFolder = OutputFolder::current();
  // A file that is no e-invoice is refused before anything is drawn.
  const Invoice invoice = readInvoiceOrPdf(*chosen);
  m_invoicePath = *chosen;
  if (m_host.medium() == Medium::Printer && !m_host.choosePrinter()) return;
  try {
    layOut(invoice);
  } catch (...) {
    // A half-drawn document or print job must not carry over into the next
    // run; the error itself goes on unchanged.
    m_output.discardUnfinished();
    throw;
  }
}

void RenderRun::layOut(const Invoice& invoice) {
  // A fresh state: line step 5, base size 8, "Arial", page 1, nothing captured.
  LayoutContext layout{m_host, m_output, invoice, RenderState{}};
  drawHeaderBlocks(layout);
  const RateSums sums = drawItemTable(layout);
  drawTotals(layout, sums);
  finish(layout);
}

void RenderRun::finish(LayoutContext& layout) {
  pagefooter(layout);
  const std::string path = pdfOutputPath(m_outputFolder.path(), layout.state.invoicenr);
  if (m_host.medium() == Medium::Pdf) {
    // An invoice PDF named like its own Beleg (or one an earlier run wrote,
    // opened again) would be lost.
    if (sameFile(path, m_invoicePath)) throw Exception(std::string(kOutputIsInput) + path);
    m_host.claimOutputFile(path);
  }
  if (!m_output.finish(m_outputFolder, pdfFileName(layout.state.invoicenr))) {
    return;  // a print job, or nothing drawn on the PDF medium
  }
  m_writtenPdf = path;
  m_host.opener().open(path, "");
}

}  // namespace lumora
