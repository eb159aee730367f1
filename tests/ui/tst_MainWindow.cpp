// The main window as a user meets it: its fields and actions, the snapshot
// list with selection and removal, loading captured files, help, Copy.

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

#include "MainCharts.h"
#include "ToneChart.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "fmLoadDataFromFile.h"
#include "fmMain.h"

namespace {

const QString Fixtures = QStringLiteral(TONEGRAPH_FIXTURES_DIR);

// Fills the load-data-from-files dialog once it is shown modally, then ends
// it with OK or Cancel.
void AnswerLoadDialog(int AProfile, const QString &AHLog, const QString &ABins, bool AAccept) {
  QTimer::singleShot(0, [=] {
    auto *dialog = qobject_cast<TfrmLoadDataFromFiles *>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->cbxProfiles->setCurrentIndex(AProfile);
    dialog->edHlogFile->setText(AHLog);
    dialog->edBINFile->setText(ABins);
    AAccept ? dialog->accept() : dialog->reject();
  });
}

}  // namespace

class TMainWindowTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  std::unique_ptr<TfrmMain> FForm;

  QListWidget *List() const { return FForm->pnlInputs->lbxStatistics; }
  QStringList Entries() const { return ListTexts(List()); }
  QString SelectedText() const { return NameOf(FForm->GetSelectedDrayData()); }
  QString Memo() const { return FForm->pgcMain->memStats->toPlainText(); }
  int HLogSeries() const { return FForm->pgcMain->chartHLog->SeriesCount(); }

  void AddSnapshot(const char *AName, TVDSLProfile AProfile = vp17a) {
    FForm->DrayDataList().Add(Snapshot(AName, AProfile, {std::string("status of ") + AName}));
  }

  // Runs the event loop until it has nothing left to do and would wait.
  static void RunUntilIdle() {
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                     &QEventLoop::quit);
    loop.exec();
  }

  // The user clicks the entry at ARow.
  void ClickEntry(int ARow) {
    QListWidgetItem *item = List()->item(ARow);
    List()->scrollToItem(item);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(item).center());
  }

private slots:
  void init() {
    FErrors = {};
    FHelp = {};
    FForm = std::make_unique<TfrmMain>(QStringList{}, TMainServices{&FErrors, &FHelp});
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
  }

  void cleanup() { FForm.reset(); }

  void OpensWithInitialValues() {
    TInputPanel &p = *FForm->pnlInputs;
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Tonegraph"));
    QCOMPARE(FForm->minimumSize(), QSize(1024, 600));
    QCOMPARE(p.edRouter->text(), QString());
    QCOMPARE(p.edRouter->placeholderText(), QStringLiteral("Router FQDN or IP address"));
    QCOMPARE(p.edRouter->toolTip(), QStringLiteral("Router fqnd or IP address"));
    QCOMPARE(p.edRouterPort->text(), QStringLiteral("23"));
    QCOMPARE(p.udTelnetPort->Position(), 23);
    QCOMPARE(p.edPassword->echoMode(), QLineEdit::Password);
    QCOMPARE(p.edRouterName->text(), QStringLiteral("DrayTek"));
    QVERIFY(!p.chkShowBins->isChecked());
    QVERIFY(p.chkSNRBug->isChecked());
    QCOMPARE(p.chkSNRBug->toolTip(), QStringLiteral("When set, show SNR data from the fisrt 512 bins only"));
    QCOMPARE(p.lblProfileName->text(), QStringLiteral("VDSL profile: N/A"));
    QCOMPARE(p.btnGetData->text(), QStringLiteral("Retrieve"));
    QCOMPARE(p.btnLoadDataFromFile->text(), QStringLiteral("Load data from file..."));
    QCOMPARE(FForm->pgcMain->currentWidget(), FForm->pgcMain->TabSheet1);
    QCOMPARE(FForm->pgcMain->PageControl1->tabText(FForm->pgcMain->PageControl1->currentIndex()),
             QStringLiteral("Bitloading"));
    QCOMPARE(FForm->focusWidget(), p.edRouter);
    QVERIFY(!FForm->ConfigFileName());
  }

  void TabsInDesignOrder() {
    const QStringList outer{"Router", "Line", "HLog", "QLN", "SNR", "Bins", "Timeline"};
    QCOMPARE(FForm->pgcMain->count(), outer.size());
    for (int i = 0; i < outer.size(); ++i)
      QCOMPARE(FForm->pgcMain->tabText(i), outer[i]);
    const QStringList inner{"Bitloading", "Gain", "SNR"};
    for (int i = 0; i < inner.size(); ++i)
      QCOMPARE(FForm->pgcMain->PageControl1->tabText(i), inner[i]);
  }

  void TabOrderFollowsThePanel() {
    TInputPanel &p = *FForm->pnlInputs;
    const QList<QWidget *> order{p.edRouter, p.edRouterPort, p.edUser, p.edPassword, p.edRouterName,
                                 p.chkShowBins, p.chkSNRBug, p.btnLoadConfiguration, p.btnSaveCfg, p.btnGetData,
                                 p.btnLoadDataFromFile, p.lbxStatistics, p.btnLoadStatisticsFromFile,
                                 p.btnSaveStatsToFile};
    for (int i = 0; i + 1 < order.size(); ++i) {
      QWidget *next = order[i]->nextInFocusChain();
      while (next->focusPolicy() == Qt::NoFocus || !order.contains(next))
        next = next->nextInFocusChain();
      QCOMPARE(next, order[i + 1]);
    }
  }

  void ActionsCarryCaptionsAndCategories_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("category");
    QTest::newRow("retrieve") << "acnRetrieveData" << "Retrieve data" << "Configuration";
    QTest::newRow("stop") << "acnStopRetrieval" << "Stop" << "Configuration";
    QTest::newRow("load data") << "acnLoadDataFromFile" << "Load data from file..." << "Configuration";
    QTest::newRow("load conf") << "acnLoadConfiguration" << "Load configuration..." << "Configuration";
    QTest::newRow("save conf") << "acnSaveConfiguration" << "Save configuration..." << "Configuration";
    QTest::newRow("load stat") << "acnLoadStatFromFile" << "Load statistics..." << "Statistics";
    QTest::newRow("save stat") << "acnSaveStatToFile" << "Save statistics..." << "Statistics";
    QTest::newRow("remove") << "acnRemove" << "Remove" << "Statistics";
    QTest::newRow("remove all") << "acnRemoveAll" << "Remove all" << "Statistics";
    QTest::newRow("copy") << "acnChartCopy" << "Copy" << "Charts";
  }

  void ActionsCarryCaptionsAndCategories() {
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, category);
    auto *a = FForm->findChild<QAction *>(action);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->property("category").toString(), category);
  }

  void RetrieveFollowsTheFieldsButTheListDoesNot() {
    TInputPanel &p = *FForm->pnlInputs;
    QVERIFY(!FForm->acnRetrieveData->isEnabled());  // until the first update
    FForm->UpdateActions();
    QVERIFY(!p.btnGetData->isEnabled());
    QVERIFY(p.lbxStatistics->isEnabled());
    QTest::keyClicks(p.edRouter, "192.168.1.1");
    QTest::keyClicks(p.edUser, "admin");
    FForm->UpdateActions();
    QVERIFY(p.btnGetData->isEnabled());  // the password may stay empty
    p.edRouterName->clear();
    AddSnapshot("kept");
    FForm->UpdateActions();
    QVERIFY(!p.btnGetData->isEnabled());
    QVERIFY(p.lbxStatistics->isEnabled());  // saved snapshots stay browsable
    QVERIFY(FForm->acnRemove->isEnabled());
    QVERIFY(p.btnSaveStatsToFile->isEnabled());
  }

  void ActionsAreWorkedOutWhenTheWindowIsIdle() {
    RunUntilIdle();
    QVERIFY(!FForm->acnSaveStatToFile->isEnabled());  // empty list
    AddSnapshot("a");
    QVERIFY(!FForm->acnSaveStatToFile->isEnabled());  // not before the window is idle
    RunUntilIdle();
    QVERIFY(FForm->acnSaveStatToFile->isEnabled());
    QVERIFY(FForm->pnlInputs->btnSaveStatsToFile->isEnabled());
  }

  void PortSpinButtonsAndFieldFollowEachOther() {
    TInputPanel &p = *FForm->pnlInputs;
    QTest::keyClick(p.edRouterPort, Qt::Key_Up);
    QCOMPARE(p.udTelnetPort->Position(), 24);
    QCOMPARE(p.edRouterPort->text(), QStringLiteral("24"));
    p.edRouterPort->selectAll();
    QTest::keyClicks(p.edRouterPort, "8023x");  // the letter is refused
    QCOMPARE(p.udTelnetPort->Position(), 8023);
    QCOMPARE(p.edRouterPort->text(), QStringLiteral("8023"));
    p.udTelnetPort->SetPosition(70000);
    QCOMPARE(p.udTelnetPort->Position(), 65535);
    QCOMPARE(p.edRouterPort->text(), QStringLiteral("65535"));
  }

  void EntriesSortIgnoringCaseAndNewOneIsSelected() {
    AddSnapshot("Loaded from file");
    AddSnapshot("20250102-080000-MyRouter.draydata");
    AddSnapshot("apple");
    QCOMPARE(Entries(), (QStringList{"20250102-080000-MyRouter.draydata", "apple", "Loaded from file"}));
    QCOMPARE(SelectedText(), QStringLiteral("apple"));
    QCOMPARE(Memo(), QString());  // adding displays nothing
  }

  void ClickingAnEntryShowsItsSnapshot() {
    AddSnapshot("a", vp17a);
    AddSnapshot("b", vp8c);
    ClickEntry(0);
    QCOMPARE(SelectedText(), QStringLiteral("a"));
    QCOMPARE(Memo(), QStringLiteral("status of a"));
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 17A"));
    QCOMPARE(HLogSeries(), 2);
    ClickEntry(1);
    QCOMPARE(Memo(), QStringLiteral("status of b"));
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 8C"));
    QCOMPARE(HLogSeries(), 2);  // cleared before drawing
    QTest::keyClick(List(), Qt::Key_Up);
    QCOMPARE(Memo(), QStringLiteral("status of a"));
  }

  void RemoveSelectsTheNeighbour_data() {
    QTest::addColumn<int>("removed");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("selected");
    QTest::newRow("first of three") << 0 << QStringList{"b", "c"} << "b";
    QTest::newRow("third of three") << 2 << QStringList{"a", "b"} << "b";
    QTest::newRow("middle of three") << 1 << QStringList{"a", "c"} << "a";
  }

  void RemoveSelectsTheNeighbour() {
    QFETCH(int, removed);
    QFETCH(QStringList, left);
    QFETCH(QString, selected);
    for (const char *name : {"c", "a", "b"})
      AddSnapshot(name);
    ClickEntry(removed);
    FForm->UpdateActions();
    FForm->acnRemove->trigger();
    QCOMPARE(Entries(), left);
    QCOMPARE(SelectedText(), selected);
    QCOMPARE(Memo(), "status of " + selected);  // the neighbour is shown
    QCOMPARE(FForm->DrayDataList().Count(), 2);
  }

  void RemovingTheOnlyEntryEmptiesTheDisplayButKeepsTheLabel() {
    AddSnapshot("only", vp17a);
    ClickEntry(0);
    FForm->UpdateActions();
    FForm->acnRemove->trigger();
    QCOMPARE(List()->count(), 0);
    QCOMPARE(Memo(), QString());
    QCOMPARE(HLogSeries(), 0);
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 17A"));
    FForm->UpdateActions();
    QVERIFY(!FForm->acnRemove->isEnabled());
  }

  void RemoveAllEmptiesEverything() {
    for (const char *name : {"a", "b", "c"})
      AddSnapshot(name, vp35b);
    ClickEntry(1);
    FForm->UpdateActions();
    FForm->acnRemoveAll->trigger();
    QCOMPARE(List()->count(), 0);
    QCOMPARE(FForm->DrayDataList().Count(), 0);
    QCOMPARE(Memo(), QString());
    QCOMPARE(HLogSeries(), 0);
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 35B"));
  }

  void SameNamedEntriesAreToldApartByTheirSnapshot() {
    AddSnapshot("Loaded from file", vp8a);
    AddSnapshot("Loaded from file", vp30a);
    ClickEntry(0);
    QCOMPARE(FForm->GetSelectedDrayData(), FForm->DrayDataList().Items(0));
    FForm->UpdateActions();
    FForm->acnRemove->trigger();
    QCOMPARE(Entries(), QStringList{"Loaded from file"});
    TDrayData *left = FForm->GetSelectedDrayData();
    QCOMPARE(left, FForm->DrayDataList().Items(0));
    QCOMPARE(left->VDSLProfile(), vp30a);  // the other entry still carries its own data
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 30A"));
  }

  void LoadDataFromFilesAddsSelectsAndShowsHLog() {
    AnswerLoadDialog(7, Fixtures + "/line17a-hlog.txt", Fixtures + "/line17a-bins.txt", true);
    FForm->UpdateActions();
    FForm->acnLoadDataFromFileExecute();
    QVERIFY(FErrors.Reports.empty());
    QCOMPARE(Entries(), QStringList{"Loaded from file"});
    QCOMPARE(SelectedText(), QStringLiteral("Loaded from file"));
    QCOMPARE(FForm->pgcMain->currentWidget(), FForm->pgcMain->tbsHLog);
    QCOMPARE(Memo(), QString());
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 17A"));
    auto *bits = qobject_cast<QCPBars *>(FForm->pgcMain->chartBitLoading->plottable(0));
    QCOMPARE(bits->dataCount(), 4096);
    QCOMPARE(HLogSeries(), 2);
  }

  void CancelledLoadChangesNothing() {
    AddSnapshot("a");
    ClickEntry(0);
    AnswerLoadDialog(7, Fixtures + "/line17a-hlog.txt", QString(), false);
    FForm->acnLoadDataFromFileExecute();
    QCOMPARE(Entries(), QStringList{"a"});
    QCOMPARE(Memo(), QStringLiteral("status of a"));
    QCOMPARE(HLogSeries(), 2);
  }

  void UnreadableCapturedFileIsReportedAndNothingJoins() {
    AddSnapshot("a");
    ClickEntry(0);
    AnswerLoadDialog(7, Fixtures + "/no-such-file.txt", QString(), true);
    FForm->UpdateActions();
    FForm->acnLoadDataFromFile->trigger();  // the failure reaches the general report
    QCOMPARE(FErrors.Reports.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(FErrors.Reports[0]).contains("no-such-file.txt"));
    QCOMPARE(Entries(), QStringList{"a"});
    QCOMPARE(Memo(), QString());
    QCOMPARE(HLogSeries(), 0);
  }

  void F1OpensTheTopicOfTheFocusedControl_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("topic");
    QTest::newRow("port field") << "edRouterPort" << 2000;
    QTest::newRow("512-bins option") << "chkSNRBug" << 2000;
    QTest::newRow("load data button") << "btnLoadDataFromFile" << 3001;
    QTest::newRow("statistics list") << "lbxStatistics" << 3000;
    QTest::newRow("status text") << "memStats" << 2002;
    QTest::newRow("inner page control") << "PageControl1" << 2003;
    QTest::newRow("QLN chart") << "chartQLN" << 2004;
    QTest::newRow("gain chart") << "chartGain" << 2007;
    QTest::newRow("per-bin SNR chart") << "chartBinSNRDS" << 2008;
  }

  void F1OpensTheTopicOfTheFocusedControl() {
    QFETCH(QString, control);
    QFETCH(int, topic);
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    auto *widget = FForm->findChild<QWidget *>(control);
    QVERIFY(widget);
    if (auto *tabs = qobject_cast<QTabWidget *>(widget))
      widget = tabs->tabBar();
    // Bring up the tab pages that hold it, as the user would.
    for (QWidget *w = widget; w->parentWidget(); w = w->parentWidget())
      if (auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget()); tabs && tabs->indexOf(w) >= 0)
        tabs->setCurrentWidget(w);
    widget->setFocus();
    QCOMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, Qt::Key_F1);
    QCOMPARE(FHelp.Topics, std::vector<int>{topic});
  }

  void HelpButtonOpensContents() {
    QTest::mouseClick(FForm->pgcMain->btnHelp, Qt::LeftButton);
    QCOMPARE(FHelp.ContentsShown, 1);
    QVERIFY(FHelp.Topics.empty());
  }

  void CopyPutsTheChartUnderTheMenuOnTheClipboard() {
    AddSnapshot("a");
    ClickEntry(0);
    FForm->resize(1188, 700);
    TToneChart *gain = FForm->pgcMain->chartGain;
    QApplication::clipboard()->clear();
    FForm->acnChartCopy->trigger();  // not from a chart's menu: nothing copied
    QVERIFY(QApplication::clipboard()->image().isNull());
    FForm->PopupChartMenu(gain, QPoint(10, 10));
    QVERIFY(FForm->mnuCharts->isVisible());
    FForm->mnuCharts->actions().constFirst()->trigger();
    FForm->mnuCharts->hide();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), gain->size());
    const QImage expected = gain->toPixmap(gain->width(), gain->height()).toImage();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
  }

  void ShowRawDataOpensOneWindowPerClick_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstUpstreamLine");
    QTest::newRow("HLog") << "btnHLogShowRaw" << "HLOG Raw Data" << "bin=   0:   -30,   -31,";
    QTest::newRow("QLN") << "btnQLNShowRawData" << "QLN Raw Data" << "";
    QTest::newRow("bins") << "btnBinShowRawData" << "Raw bins data" << "";
  }

  void ShowRawDataOpensOneWindowPerClick() {
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, firstUpstreamLine);
    auto data = Snapshot("raw", vp17a);
    data->SetHLogData(StatAnswer("(dB)", 8, 8, {-30, -31}, {-40}));
    FForm->DrayDataList().Add(std::move(data));
    auto *click = FForm->findChild<QPushButton *>(button);
    QTest::mouseClick(click, Qt::LeftButton);
    QTest::mouseClick(click, Qt::LeftButton);
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == caption)
        windows << w;
    QCOMPARE(windows.size(), 2);
    auto *memUS = windows[0]->findChild<QPlainTextEdit *>("memUS");
    QVERIFY(memUS);
    QCOMPARE(memUS->toPlainText().section('\n', 0, 0).left(firstUpstreamLine.size()), firstUpstreamLine);
    qDeleteAll(windows);
  }

  void StatusTextAndProfileLabelFromARetrieval() {
    FForm->SetStatusText("Retrieving QLN data, please wait...");
    QCOMPARE(FForm->lblStatus->text(), QStringLiteral("Retrieving QLN data, please wait..."));
    FForm->UpdateProfileLabel(vp12b);
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 12B"));
  }

  // The pointer passing over a menu item shows its status tip, then an empty
  // one as it leaves: the retrieval's text is still there afterwards.
  void StatusTipsLeaveTheStatusTextInPlace() {
    FForm->SetStatusText("Unable to retrieve profile from VDSL data");
    for (const QString &tip : {QStringLiteral("Copies the chart"), QString()}) {
      QStatusTipEvent event(tip);
      QApplication::sendEvent(FForm.get(), &event);
      QCOMPARE(FForm->statusBar()->currentMessage(), tip);
    }
    QVERIFY(FForm->lblStatus->isVisible());
    QCOMPARE(FForm->lblStatus->text(), QStringLiteral("Unable to retrieve profile from VDSL data"));
  }
};

QTEST_MAIN(TMainWindowTest)
#include "tst_MainWindow.moc"
