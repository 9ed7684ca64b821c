// Process start: the application object with its menu bar, then the server window,
// whose first showing runs the start-up sequence; then the event loop.
#include <QApplication>
#include <cstdlib>

#include "ui/Desktop.h"

namespace {

// Without a display (a server, a container, a test run) Quaverly still serves: it runs
// on the offscreen platform and follows its log on standard output.
void useOffscreenWithoutDisplay() {
  const auto unset = [](const char* name) { return qEnvironmentVariableIsEmpty(name); };
  if (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace

int main(int argc, char** argv) {
  useOffscreenWithoutDisplay();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quaverly"));
  QApplication::setApplicationVersion(QStringLiteral("0.2.2"));
  QApplication::setDesktopFileName(QStringLiteral("quaverly"));
  // The server window's close box only hides it; Quit ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  // The platform's registration of the "text" file type has no Linux counterpart.
  Desktop desktop;
  desktop.window1.show();
  return application.exec();
}
