// Program start: the application, its one main window, the event loop.

#include "Application.h"
#include "fmMain.h"

int main(int argc, char **argv) {
  TApplication app(argc, argv);
  QStringList arguments = QApplication::arguments();
  if (!arguments.isEmpty())
    arguments.removeFirst();
  TfrmMain frmMain(arguments);
  frmMain.show();
  return TApplication::exec();
}
