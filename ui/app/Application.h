#pragma once
// The application object. A failure that no event handler caught ends the
// handling of that event and is shown by the general error report; the
// program goes on.

#include <memory>

#include <QApplication>

class IErrorDisplay;

class TApplication : public QApplication {
  Q_OBJECT
public:
  TApplication(int &AArgc, char **AArgv);
  ~TApplication() override;

  bool notify(QObject *AReceiver, QEvent *AEvent) override;

  // Where uncaught failures are shown; none means a message box.
  void SetErrorDisplay(IErrorDisplay *ADisplay) { FErrors = ADisplay; }

private:
  void ReportFailure(const std::string &AMessage);

  IErrorDisplay *FErrors = nullptr;
  std::unique_ptr<IErrorDisplay> FOwnErrors;
};
