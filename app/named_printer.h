#pragma once
// The printer medium without a window, for lumora-render's --printer NAME:
// the same Qt printer the window prints through, set to a printer by name.

#include <memory>
#include <string>

#include "platform/printer.h"

namespace lumora {

// A printer medium on the installed printer `name`. Starts the Qt machinery
// that printing needs when no application object exists yet (off screen when
// there is no display). Throws Exception when there is no such printer.
std::unique_ptr<Printer> openNamedPrinter(const std::string& name);

}  // namespace lumora
