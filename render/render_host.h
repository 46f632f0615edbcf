#pragma once
// What the render run needs from whoever starts it: the window or the
// command-line renderer.

#include <optional>
#include <string>

#include "output/text_output.h"
#include "platform/opener.h"

namespace lumora {

class RenderHost : public MediumSource {
 public:
  // The file-open dialog ("Bitte E-Rechnung auswählen", "E-Rechnung|*.xml").
  // Returns the chosen invoice path, or nothing when the user cancelled.
  virtual std::optional<std::string> chooseInvoiceFile() = 0;

  // The print dialog, shown only for the printer medium; it selects the
  // printer of the TextOutput. Returns false when the user cancelled.
  virtual bool choosePrinter() = 0;

  // Whether "mit Langtext  drucken" is checked; read for every item row.
  virtual bool longTextChecked() const = 0;

  // Starts the viewer for the written PDF.
  virtual Opener& opener() = 0;
};

}  // namespace lumora
