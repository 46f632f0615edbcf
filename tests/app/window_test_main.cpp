// The window tests run under the program's own application object, so that
// errors take the same way to the error box as in the program.
#include "app/application.h"

int runWindowShellTests(int argc, char** argv);
int runWindowStartTests(int argc, char** argv);

int main(int argc, char** argv) {
  lumora::Application application(argc, argv);
  application.setAttribute(Qt::AA_Use96Dpi);
  int failures = runWindowShellTests(argc, argv);
  failures += runWindowStartTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
