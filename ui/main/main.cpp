// Program start: the application, its one main window, the event loop.

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Application.h"
#include "WindowReader.h"
#include "fmMain.h"

int main(int argc, char **argv) {
  TApplication app(argc, argv);
  QStringList arguments = QApplication::arguments();
  if (!arguments.isEmpty())
    arguments.removeFirst();
  auto frmMain = std::make_unique<TfrmMain>(arguments);
  frmMain->show();
  const int result = TApplication::exec();
  frmMain.reset();
  // A reader asked to stop when the window closed may still be waiting for
  // the router; the process ends without it rather than let it reach the
  // application object while that goes away.
  if (TWindowReader::LiveCount() > 0) {
    std::fflush(nullptr);
    std::_Exit(result);
  }
  return result;
}
