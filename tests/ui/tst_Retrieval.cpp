// A retrieval started from the window against the simulated router on
// loopback: progress, the three ways a run ends, and closing the window
// while a run is under way.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

#include "InputPanel.h"
#include "MainCharts.h"
#include "RouterSim.h"
#include "ToneChart.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "WindowReader.h"
#include "fmMain.h"

namespace {

constexpr int RunLimitMs = 60000;

// What the window showed when the status bar took a new progress text.
struct TProgress {
  QString Text;
  QStringList Enabled;  // actions enabled, the list box as "lbxStatistics"
  QStringList Filled;   // charts holding series
  QString Bar;          // the progress bar's text, empty while it is hidden
};

}  // namespace

class TRetrievalTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  std::unique_ptr<TRouterSim> FSim;
  std::unique_ptr<TfrmMain> FForm;
  std::vector<TProgress> FProgress;

  TInputPanel &Panel() const { return *FForm->pnlInputs; }

  void StartSim(TRouterSimOptions AOptions) {
    FSim = std::make_unique<TRouterSim>(AOptions);
    FSim->Start();
  }

  void FillFields(std::uint16_t APort, const QString &APassword) {
    Panel().edRouter->setText(QStringLiteral("127.0.0.1"));
    Panel().udTelnetPort->SetPosition(APort);
    Panel().edUser->setText(QStringLiteral("admin"));
    Panel().edPassword->setText(APassword);
    Panel().edRouterName->setText(QStringLiteral("DrayTek"));
  }

  QStringList EnabledNow() {
    FForm->UpdateActions();
    QStringList names;
    for (QAction *action : FForm->findChildren<QAction *>())
      if (action->isEnabled() && action->objectName().startsWith(QLatin1String("acn")))
        names << action->objectName();
    if (Panel().lbxStatistics->isEnabled())
      names << QStringLiteral("lbxStatistics");
    names.sort();
    return names;
  }

  QStringList FilledCharts() const {
    QStringList names;
    for (TToneChart *chart : FForm->pgcMain->findChildren<TToneChart *>())
      if (chart->SeriesCount() > 0)
        names << chart->objectName();
    names.sort();
    return names;
  }

  void RecordProgress() {
    connect(FForm.get(), &TfrmMain::StatusTextChanged, this, [this](const QString &AText) {
      const QProgressBar *bar = FForm->pbRetrieval;
      FProgress.push_back({AText, EnabledNow(), FilledCharts(), bar->isVisible() ? bar->text() : QString()});
    });
  }

  const TProgress *ProgressAt(const QString &AText) const {
    for (const TProgress &p : FProgress)
      if (p.Text == AText)
        return &p;
    return nullptr;
  }

  QStringList Entries() const {
    QStringList texts;
    for (int i = 0; i < Panel().lbxStatistics->count(); ++i)
      texts << Panel().lbxStatistics->item(i)->text();
    return texts;
  }

  // As the user does: once the button has come alive (as it does when the
  // window goes idle), click it.
  void ClickRetrieve() {
    FForm->UpdateActions();
    QVERIFY(Panel().btnGetData->isEnabled());
    Panel().btnGetData->click();
  }

  void RetrieveAndWait() {
    ClickRetrieve();
    QVERIFY(FForm->ReaderRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!FForm->ReaderRunning(), RunLimitMs);
  }

  // A listed snapshot, selected and shown, to see what a failed run leaves.
  void ShowEarlierSnapshot() {
    FForm->DrayDataList().Add(Snapshot("20240101-000000-Earlier.draydata", vp8b, {"earlier status"}));
    FForm->lbxStatisticsClick();
  }

private slots:
  void init() {
    FErrors = {};
    FProgress.clear();
    FForm = std::make_unique<TfrmMain>(QStringList{}, TMainServices{&FErrors, &FHelp});
    FForm->SetRetrievalTimeouts({2000, 2000});
    FForm->show();
  }

  void cleanup() {
    FForm.reset();
    // A run the test left behind frees itself once its end is delivered.
    QTRY_COMPARE_WITH_TIMEOUT(TWindowReader::LiveCount(), 0, RunLimitMs);
    FSim.reset();
  }

  void WholeRetrievalFillsTheDisplayAndListsTheSnapshot() {
    StartSim({});
    FillFields(FSim->Port(), QStringLiteral("admin"));
    Panel().chkShowBins->setChecked(true);
    RecordProgress();
    const QString before = QString::fromStdString(FForm->GenerateDataFileName());
    RetrieveAndWait();
    const QString after = QString::fromStdString(FForm->GenerateDataFileName());

    QVERIFY2(FErrors.Messages.empty() && FErrors.Reports.empty(), "no error expected");
    const QStringList texts{"Retrieving data...",
                            "Retrieving statistics, please wait...",
                            "Retrieving HLOG data, please wait...",
                            "Retrieving QLN data, please wait...",
                            "Retrieving SNR data, please wait...",
                            "Retrieving bins downstream, please wait...",
                            "Retrieving bins upstream, please wait..."};
    for (const QString &text : texts) {
      const TProgress *p = ProgressAt(text);
      QVERIFY2(p, qPrintable(text));
      QCOMPARE(p->Enabled, (QStringList{"acnChartCopy", "acnStopRetrieval"}));
    }
    // The charts fill group by group as the answers arrive.
    QCOMPARE(ProgressAt("Retrieving HLOG data, please wait...")->Filled, QStringList());
    QCOMPARE(ProgressAt("Retrieving QLN data, please wait...")->Filled, QStringList{"chartHLog"});
    QCOMPARE(ProgressAt("Retrieving bins downstream, please wait...")->Filled,
             (QStringList{"chartHLog", "chartQLN", "chartSNR"}));
    QCOMPARE(FilledCharts().size(), 7);
    // The bar shows the command last sent when each text arrives.
    QCOMPARE(ProgressAt("Retrieving statistics, please wait...")->Bar, QString());
    QCOMPARE(ProgressAt("Retrieving HLOG data, please wait...")->Bar, QStringLiteral("8/13 vdsl inventory cpe"));
    QCOMPARE(ProgressAt("Retrieving bins upstream, please wait...")->Bar, QStringLiteral("12/13 vdsl showbins"));
    QCOMPARE(FForm->pbRetrieval->value(), 13);
    QVERIFY(!FForm->pbRetrieval->isVisible());

    QCOMPARE(FForm->lblStatus->text(), QString());
    QCOMPARE(Entries().size(), 1);
    const QString name = Entries().first();
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}-DrayTek\\.draydata$")).match(name).hasMatch());
    QVERIFY(before <= name && name <= after);
    QCOMPARE(QString::fromStdString(FForm->GetSelectedDrayData()->Name()), name);
    QVERIFY(FForm->pgcMain->memStats->toPlainText().contains(QLatin1String("17A")));
    QVERIFY(Panel().lblProfileName->text().contains(QLatin1String("17")));
    QVERIFY(EnabledNow().contains(QLatin1String("acnRetrieveData")));
  }

  void RefusedLogonShowsTheReasonAndTheEarlierSnapshot() {
    StartSim({});
    FillFields(FSim->Port(), QStringLiteral("wrong"));
    ShowEarlierSnapshot();
    RetrieveAndWait();
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Invalid login"});
    QVERIFY(FErrors.Reports.empty());
    QCOMPARE(Entries(), QStringList{"20240101-000000-Earlier.draydata"});
    QCOMPARE(FForm->lblStatus->text(), QString());
    QCOMPARE(FForm->pgcMain->memStats->toPlainText(), QStringLiteral("earlier status"));
    QCOMPARE(Panel().lblProfileName->text(), QStringLiteral("VDSL profile: 8B"));
  }

  // A router whose status names no known profile: the reader gives up on the
  // rest without calling it a reader error. What it read joins the list and
  // the status bar says why the snapshot is incomplete.
  void FailureThatIsNoReaderErrorListsTheSnapshotAndShowsTheReason() {
    TRouterSimOptions options;
    options.Profile = vpNA;
    StartSim(options);
    FillFields(FSim->Port(), QStringLiteral("admin"));
    RetrieveAndWait();
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QCOMPARE(Entries().size(), 1);
    QCOMPARE(FForm->lblStatus->text(), QStringLiteral("Unable to retrieve profile from VDSL data"));
    QVERIFY(!FForm->GetSelectedDrayData()->Stats().empty());
  }

  void UnreachableRouterIsReportedAndTheWindowStaysUsable() {
    StartSim({});
    const std::uint16_t closedPort = FSim->Port();
    FSim.reset();  // nobody listens there any more
    FillFields(closedPort, QStringLiteral("admin"));
    RetrieveAndWait();
    QCOMPARE(FErrors.Reports.size(), std::size_t(1));  // the failed connect ends the run unhandled
    QVERIFY(FErrors.Messages.empty());
    QVERIFY(Entries().isEmpty());
    QCOMPARE(FForm->lblStatus->text(), QString());
    QVERIFY(EnabledNow().contains(QLatin1String("acnRetrieveData")));
  }

  // The reader works on copies of the fields: renaming the router mid-run
  // does not make it miss the prompt. A second start is refused meanwhile.
  void RunKeepsItsSettingsAndRefusesASecondStart() {
    TRouterSimOptions options;
    options.AnswerDelayMs = 100;
    StartSim(options);
    FillFields(FSim->Port(), QStringLiteral("admin"));
    RecordProgress();
    ClickRetrieve();
    QTRY_VERIFY_WITH_TIMEOUT(ProgressAt("Retrieving statistics, please wait..."), RunLimitMs);
    Panel().edRouterName->setText(QStringLiteral("Renamed"));
    FForm->StartRetrieval();
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Reader thread already running"});
    QCOMPARE(TWindowReader::LiveCount(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!FForm->ReaderRunning(), RunLimitMs);
    QCOMPARE(FErrors.Messages.size(), std::size_t(1));
    QVERIFY(FErrors.Reports.empty());
    QCOMPARE(Entries().size(), 1);
    QVERIFY(Entries().first().endsWith(QLatin1String("-DrayTek.draydata")));
    QVERIFY(!FForm->GetSelectedDrayData()->HLogDSRaw().empty());
  }

  // The user stops a run whose HLog answer is slow, with the button (which
  // reads "Stop" meanwhile) or with Esc: the run ends at its next check, what
  // it read is dropped, the earlier entry is shown again and all is enabled.
  void StoppingARunDropsItsSnapshot_data() {
    QTest::addColumn<bool>("withEsc");
    QTest::newRow("button") << false;
    QTest::newRow("Esc") << true;
  }

  void StoppingARunDropsItsSnapshot() {
    QFETCH(bool, withEsc);
    TRouterSimOptions options;
    options.AnswerDelayMs = 500;
    options.SlowCommand = "vdsl status hlog";
    StartSim(options);
    FillFields(FSim->Port(), QStringLiteral("admin"));
    ShowEarlierSnapshot();
    const QStringList idle = EnabledNow();
    RecordProgress();
    ClickRetrieve();
    QTRY_VERIFY_WITH_TIMEOUT(ProgressAt("Retrieving HLOG data, please wait..."), RunLimitMs);
    QCOMPARE(Panel().btnGetData->text(), QStringLiteral("Stop"));
    QVERIFY(Panel().btnGetData->isEnabled());
    if (withEsc)
      QTest::keyClick(Panel().edUser, Qt::Key_Escape);
    else
      Panel().btnGetData->click();
    QVERIFY(FForm->ReaderRunning());  // the HLog wait runs to its end
    QTRY_VERIFY_WITH_TIMEOUT(!FForm->ReaderRunning(), RunLimitMs);

    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QVERIFY(!ProgressAt("Retrieving QLN data, please wait..."));
    QCOMPARE(Entries(), QStringList{"20240101-000000-Earlier.draydata"});
    QCOMPARE(FForm->lblStatus->text(), QStringLiteral("Retrieval stopped"));
    QCOMPARE(FForm->pgcMain->memStats->toPlainText(), QStringLiteral("earlier status"));
    QCOMPARE(Panel().lblProfileName->text(), QStringLiteral("VDSL profile: 8B"));
    QCOMPARE(EnabledNow(), idle);
    QCOMPARE(Panel().btnGetData->text(), QStringLiteral("Retrieve"));
    QVERIFY(Panel().btnGetData->isEnabled());
    QVERIFY(!FForm->pbRetrieval->isVisible());
  }

  // The window goes while the router still answers: the run is asked to
  // stop, nothing reaches the destroyed window, and the reader with its
  // snapshot is freed (the leak checker watches this).
  void ClosingTheWindowMidRunFreesTheRun() {
    TRouterSimOptions options;
    options.AnswerDelayMs = 300;
    StartSim(options);
    FillFields(FSim->Port(), QStringLiteral("admin"));
    Panel().chkShowBins->setChecked(true);
    RecordProgress();
    ClickRetrieve();
    QTRY_VERIFY_WITH_TIMEOUT(ProgressAt("Retrieving HLOG data, please wait..."), RunLimitMs);
    QVERIFY(FForm->ReaderRunning());
    FForm->close();
    FForm.reset();
    QCOMPARE(TWindowReader::LiveCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(TWindowReader::LiveCount(), 0, RunLimitMs);
  }
};

QTEST_MAIN(TRetrievalTest)
#include "tst_Retrieval.moc"
