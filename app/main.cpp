// lumora-eviewer: the main window, then the hidden about window, and the
// event loop until the main window closes.
#include "app/application.h"
#include "app/tform1.h"
#include "app/tform30.h"

int main(int argc, char** argv) {
  lumora::Application application(argc, argv);
  lumora::TForm1 Form1;
  lumora::TForm30 Form30;
  Form1.setAboutWindow(&Form30);
  Form1.show();
  return application.exec();
}
