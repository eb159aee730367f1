#include "Application.h"

#include "ErrorReport.h"
#include "MessageBoxErrorDisplay.h"
#include "Version.h"

TApplication::TApplication(int &AArgc, char **AArgv) : QApplication(AArgc, AArgv) {
  // No display name of its own: on Linux the toolkit appends a set display
  // name to every window title ("Error - Tonegraph"). Without one, captions
  // read as given, and the display name still reads "Tonegraph".
  setApplicationName(QStringLiteral("Tonegraph"));
  setApplicationVersion(QString::fromLatin1(TonegraphVersion()));
  FOwnErrors = std::make_unique<TMessageBoxErrorDisplay>();
}

TApplication::~TApplication() = default;

bool TApplication::notify(QObject *AReceiver, QEvent *AEvent) {
  try {
    return QApplication::notify(AReceiver, AEvent);
  } catch (const std::exception &E) {
    ReportFailure(E.what());
  } catch (...) {
    ReportFailure("Unknown failure");
  }
  return false;
}

void TApplication::ReportFailure(const std::string &AMessage) {
  (FErrors ? FErrors : FOwnErrors.get())->ShowErrorReport(GeneralErrorReportText(AMessage));
}
