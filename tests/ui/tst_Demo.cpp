// Demo mode: which arguments ask for it, and that one click on "Retrieve"
// in a window filled in by it lists a snapshot and fills every chart.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "DemoRouter.h"
#include "Exceptions.h"
#include "InputPanel.h"
#include "ToneChart.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "WindowReader.h"
#include "fmMain.h"

using TArgs = std::vector<std::string>;
Q_DECLARE_METATYPE(TArgs)

class TDemoTest : public QObject {
  Q_OBJECT

private slots:
  void ArgumentsChooseTheDemo_data() {
    QTest::addColumn<TArgs>("args");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<int>("profile");
    QTest::newRow("none") << TArgs{} << false << 0;
    QTest::newRow("config only") << TArgs{"-c", "my.conf"} << false << 0;
    QTest::newRow("demo") << TArgs{"--demo"} << true << int(vp17a);
    QTest::newRow("demo with config") << TArgs{"-c", "my.conf", "--demo"} << true << int(vp17a);
    QTest::newRow("profile") << TArgs{"--demo", "--demo-profile", "35b"} << true << int(vp35b);
    QTest::newRow("profile alone") << TArgs{"--demo-profile", "8A"} << true << int(vp8a);
  }

  void ArgumentsChooseTheDemo() {
    QFETCH(TArgs, args);
    QFETCH(bool, demo);
    QFETCH(int, profile);
    const std::optional<TRouterSimOptions> options = TDemoRouter::OptionsFromArguments(args);
    QCOMPARE(options.has_value(), demo);
    if (options) {
      QCOMPARE(int(options->Profile), profile);
      QVERIFY(options->Line == DemoLine());  // a tap and a station to find
    }
  }

  void UnknownProfileIsRefused_data() {
    QTest::addColumn<TArgs>("args");
    QTest::newRow("unknown") << TArgs{"--demo-profile", "17C"};
    QTest::newRow("N/A") << TArgs{"--demo-profile", "N/A"};
    QTest::newRow("missing") << TArgs{"--demo", "--demo-profile"};
  }

  void UnknownProfileIsRefused() {
    QFETCH(TArgs, args);
    QVERIFY_THROWS_EXCEPTION(ETonegraphError, TDemoRouter::OptionsFromArguments(args));
  }

  void OneClickFillsEveryChart() {
    TRouterSimOptions options = *TDemoRouter::OptionsFromArguments({"--demo", "--demo-profile", "35B"});
    TDemoRouter demo(options);
    TRecordingErrorDisplay errors;
    TRecordingTopicViewer help;
    auto form = std::make_unique<TfrmMain>(QStringList{"--demo"}, TMainServices{&errors, &help});
    TInputPanel &p = *form->pnlInputs;
    demo.FillIn(p);
    QCOMPARE(p.edRouter->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(p.udTelnetPort->Position(), int(demo.Port()));
    QVERIFY(!p.edPassword->text().isEmpty());
    QVERIFY(!p.chkShowBins->isChecked());  // the demo leaves the options alone
    p.chkShowBins->setChecked(true);
    form->UpdateActions();
    QVERIFY(p.btnGetData->isEnabled());
    p.btnGetData->click();
    QTRY_VERIFY_WITH_TIMEOUT(!form->ReaderRunning(), 60000);
    QVERIFY(errors.Messages.empty() && errors.Reports.empty());
    QCOMPARE(p.lbxStatistics->count(), 1);
    for (TToneChart *chart : form->pgcMain->findChildren<TToneChart *>())
      QVERIFY2(chart->SeriesCount() > 0, qPrintable(chart->objectName()));
    QVERIFY(p.lblProfileName->text().endsWith(QLatin1String("35B")));
    form.reset();
    QTRY_COMPARE(TWindowReader::LiveCount(), 0);
  }
};

QTEST_MAIN(TDemoTest)
#include "tst_Demo.moc"
