#pragma once
// What the render run needs from whoever starts it: the window or the
// command-line renderer.

#include <optional>
#include <string>

#include "output/text_output.h"
#include "platform/current_directory.h"
#include "platform/opener.h"

namespace lumora {

class RenderHost : public MediumSource {
 public:
  // The file-open dialog ("Bitte E-Rechnung auswählen", "E-Rechnungen (*.xml *.pdf)").
  // Returns the chosen invoice path, or nothing when the user cancelled.
  virtual std::optional<std::string> chooseInvoiceFile() = 0;

  // The folder that becomes the current directory once `invoicePath` is
  // chosen, and so receives the PDF: the invoice's own, as the file dialog
  // makes it. lumora-render's --output-dir points it elsewhere.
  virtual std::string outputFolderFor(const std::string& invoicePath) const {
    return folderOf(invoicePath);
  }

  // The print dialog, shown only for the printer medium; it selects the
  // printer of the TextOutput. Returns false when the user cancelled.
  virtual bool choosePrinter() = 0;

  // Whether "mit Langtext  drucken" is checked; read for every item row.
  virtual bool longTextChecked() const = 0;

  // Starts the viewer for the written PDF.
  virtual Opener& opener() = 0;

  // Called with the PDF's path just before it is written; throws to keep
  // the run from writing it (lumora-render: one file per path in a call).
  virtual void claimOutputFile(const std::string& /*path*/) {}
};

}  // namespace lumora
