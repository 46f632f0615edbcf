#pragma once
// The printer medium on Qt: one QPrinter at the printer's own resolution and
// a QPainter on it. The first text of a run begins the job (the painter
// starts on the printer), page changes start new pages and the end of the
// run ends the job.
//
// The painter's origin is the paper's corner (full-page coordinates), so
// text lands where the caller places it whatever margins the printer keeps.
//
// A job for a print queue is drawn into a spool file first and handed to the
// queue (lp) only when the run ends, because Qt cannot take back pages it
// has already sent: so a run that fails part-way prints nothing. Every
// choice of the print dialog (copies, collation, sides, pages, colour and the
// CUPS options of its "Options" page) goes with the job as an lp option.

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "platform/printer.h"

namespace lumora {

class QtPrinter final : public Printer {
 public:
  QtPrinter();
  ~QtPrinter() override;
  QtPrinter(const QtPrinter&) = delete;
  QtPrinter& operator=(const QtPrinter&) = delete;

  // The printer the print dialog configures.
  QPrinter& qprinter() { return m_printer; }

  bool printing() const override;
  // Throws Exception when the printer cannot start a job.
  void beginDoc() override;
  void newPage() override;
  void endDoc() override;
  void abortDoc() override;
  void setJobTitle(std::string_view title) override;

  void setFont(std::string_view family, int pointSize) override;
  void textOut(int x, int y, std::string_view text) override;
  double textWidth(std::string_view family, int pointSize, std::string_view text) override;

  int logPixelsX() const override;
  int logPixelsY() const override;

 private:
  void startSpooling();
  void stopSpooling();
  void sendSpoolFile();

  QPrinter m_printer{QPrinter::HighResolution};
  // While a job for a print queue runs: its spool folder and the queue.
  std::unique_ptr<QTemporaryDir> m_spool;
  QString m_queue;
  // The job's name in the queue, known when the run ends.
  QString m_jobTitle;
  // The print dialog's choices for the queue, as lp options.
  QStringList m_jobOptions;
  QPainter m_painter;
  QFont m_font;
};

}  // namespace lumora
