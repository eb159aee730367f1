// Program start: the application, the demo router when asked for, its one
// main window, the event loop.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <QMessageBox>
#include <QTimer>

#include "Application.h"
#include "DemoRouter.h"
#include "WindowArguments.h"
#include "WindowReader.h"
#include "fmMain.h"

namespace {

std::unique_ptr<TDemoRouter> StartDemo(const QStringList &AArguments) {
  std::vector<std::string> args;
  for (const QString &arg : AArguments)
    args.push_back(arg.toStdString());
  const std::optional<TRouterSimOptions> options = TDemoRouter::OptionsFromArguments(args);
  return options ? std::make_unique<TDemoRouter>(*options) : nullptr;
}

}  // namespace

int main(int argc, char **argv) {
  // Before the application object, which needs a display to exist.
  if (const std::optional<std::string> answer = AnswerWithoutWindow({argv + 1, argv + argc})) {
    std::fputs(answer->c_str(), stdout);
    return 0;
  }
  TApplication app(argc, argv);
  QStringList arguments = QApplication::arguments();
  if (!arguments.isEmpty())
    arguments.removeFirst();
  std::unique_ptr<TDemoRouter> demo;
  try {
    demo = StartDemo(arguments);
  } catch (const std::exception &E) {
    QMessageBox::critical(nullptr, QStringLiteral("Tonegraph"), QString::fromStdString(E.what()));
    return 1;
  }
  auto frmMain = std::make_unique<TfrmMain>(arguments);
  if (demo)
    demo->FillIn(*frmMain->pnlInputs);
  frmMain->show();
  // Only the start-up benchmark asks this: it takes the time when the line
  // comes, once the window has been shown and painted.
  if (qEnvironmentVariableIsSet("TONEGRAPH_QUIT_WHEN_SHOWN"))
    QTimer::singleShot(0, &app, [] {
      std::fputs("shown\n", stdout);
      std::fflush(stdout);
      QApplication::quit();
    });
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
