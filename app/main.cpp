// lumora-eviewer: the main window, then the hidden about window, and the
// event loop until the main window closes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/tform1.h"
#include "app/tform30.h"
#include "app/viewer_command_line.h"

namespace {

bool answeredWithoutWindow(const lumora::ViewerArguments& arguments) {
  if (arguments.help) return std::fputs(lumora::viewerHelpText().c_str(), stdout) != EOF;
  if (arguments.version) return std::fputs(lumora::viewerVersionText().c_str(), stdout) != EOF;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version need no display, so they are answered before Qt starts.
  const lumora::ViewerArguments early =
      lumora::parseViewerArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (early.help || early.version) return answeredWithoutWindow(early) ? 0 : 1;

  lumora::Application application(argc, argv);
  // Qt has taken its own options out of argv.
  const lumora::ViewerArguments arguments =
      lumora::parseViewerArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments.error.empty()) {
    std::fprintf(stderr, "lumora-eviewer: %s\nTry 'lumora-eviewer --help'.\n",
                 arguments.error.c_str());
    return 2;
  }
  lumora::TForm1 Form1;
  lumora::TForm30 Form30;
  Form1.setAboutWindow(&Form30);
  // Absolute now: the current folder may change before Start.
  if (arguments.invoice)
    Form1.setStartInvoice(std::filesystem::absolute(*arguments.invoice).string());
  Form1.show();
  return application.exec();
}
