// A failure that no event handler caught ends that event only: it is shown by
// the general error report and the program goes on.

#include <QtTest>

#include "Application.h"
#include "Exceptions.h"
#include "UiTestSupport.h"

namespace {

class TFailingObject : public QObject {
public:
  const char *Message = "";
  int Handled = 0;
  bool event(QEvent *AEvent) override {
    if (AEvent->type() != QEvent::User)
      return QObject::event(AEvent);
    ++Handled;
    throw EDrayDataError(Message);
  }
};

}  // namespace

class TApplicationTest : public QObject {
  Q_OBJECT

private slots:
  void UncaughtFailureReachesTheGeneralReport_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full stop added") << "Not a valida 'DrayData' file" << "Not a valida 'DrayData' file.";
    QTest::newRow("kept") << "Stream read error." << "Stream read error.";
  }

  void UncaughtFailureReachesTheGeneralReport() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    TRecordingErrorDisplay errors;
    static_cast<TApplication *>(qApp)->SetErrorDisplay(&errors);
    TFailingObject failing;
    const QByteArray text = message.toUtf8();
    failing.Message = text.constData();
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&failing, &first);
    QCOMPARE(errors.Reports, std::vector<std::string>{shown.toStdString()});
    QVERIFY(errors.Messages.empty());
    // Still running: the next event is handled (and reported) as well.
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(failing.Handled, 2);
    QCOMPARE(errors.Reports.size(), std::size_t(2));
    static_cast<TApplication *>(qApp)->SetErrorDisplay(nullptr);
  }

  void TitleIsTonegraph() {
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Tonegraph"));
  }

  // A display name set on the application is appended by the toolkit to
  // every window title on Linux ("Error - Tonegraph"); unset, it follows the
  // application name, and captions read as the windows give them.
  void CaptionsGetNoApplicationSuffix() {
    QCoreApplication::setApplicationName(QStringLiteral("Probe"));
    const QString followed = QApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(QStringLiteral("Tonegraph"));
    QCOMPARE(followed, QStringLiteral("Probe"));
  }
};

int main(int argc, char **argv) {
  TApplication app(argc, argv);
  TApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_Application.moc"
