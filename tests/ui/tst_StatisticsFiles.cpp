// "Save statistics..." and "Load statistics..." from the window: the
// proposed name, the round trip, the refusal of a snapshot already listed,
// and files that are no snapshot files.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "FileDialogAnswers.h"
#include "InputPanel.h"
#include "UiTestSupport.h"
#include "fmMain.h"

class TStatisticsFilesTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  TFileDialogAnswers FDialogs;
  std::unique_ptr<TfrmMain> FForm;
  std::unique_ptr<QTemporaryDir> FDir;

  std::string PathOf(const char *AName) const { return FDir->filePath(QString::fromLatin1(AName)).toStdString(); }
  QListWidget *List() const { return FForm->pnlInputs->lbxStatistics; }
  QStringList Entries() const { return ListTexts(List()); }
  QString Selected() const { return NameOf(FForm->GetSelectedDrayData()); }
  void Run(QAction *AAction) {
    FForm->UpdateActions();
    QVERIFY(AAction->isEnabled());
    AAction->trigger();
  }
  void AddSelected(const char *AName, TVDSLProfile AProfile = vp17a) {
    FForm->DrayDataList().Add(Snapshot(AName, AProfile, {std::string("status of ") + AName}));
  }
  void WriteBytes(const std::string &APath, const QByteArray &ABytes) {
    QFile file(QString::fromStdString(APath));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ABytes);
  }

private slots:
  void init() {
    FErrors = {};
    FDialogs = {};
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    FForm = std::make_unique<TfrmMain>(QStringList{}, TMainServices{&FErrors, &FHelp, &FDialogs});
  }

  void cleanup() { FForm.reset(); }

  void SaveProposesTheGeneratedName_data() {
    QTest::addColumn<QString>("routerName");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("named") << "MyRouter" << "^\\d{8}-\\d{6}-MyRouter\\.draydata$";
    QTest::newRow("name cleared") << "" << "^\\d{8}-\\d{6}-\\.draydata$";
  }

  void SaveProposesTheGeneratedName() {
    QFETCH(QString, routerName);
    QFETCH(QString, pattern);
    AddSelected("20240101-000000-Old.draydata");
    FForm->pnlInputs->edRouterName->setText(routerName);
    FDialogs.SaveStatistics = {std::nullopt};  // the user cancels
    Run(FForm->acnSaveStatToFile);
    QVERIFY2(QRegularExpression(pattern).match(QString::fromStdString(FDialogs.Proposed)).hasMatch(),
             FDialogs.Proposed.c_str());
    QVERIFY(QDir(FDir->path()).isEmpty());
  }

  // The name comes from inside the file: loading it again under any file
  // name is refused while its snapshot is listed, letter case ignored.
  void LoadRefusesASnapshotAlreadyListed_data() {
    QTest::addColumn<QString>("listed");
    QTest::newRow("same snapshot") << "20250307-091502-DrayTek.draydata";
    QTest::newRow("other case") << "20250307-091502-DRAYTEK.DRAYDATA";
  }

  void LoadRefusesASnapshotAlreadyListed() {
    QFETCH(QString, listed);
    Snapshot("20250307-091502-DrayTek.draydata", vp35b, {"saved status"})->SaveToFile(PathOf("copy.draydata"));
    FForm->DrayDataList().Add(Snapshot(listed.toStdString(), vp8a));
    FDialogs.OpenStatistics = {PathOf("copy.draydata")};
    Run(FForm->acnLoadStatFromFile);
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Data already loaded"});
    QCOMPARE(Entries(), QStringList{listed});
  }

  void SavedSnapshotLoadsBackSelectedAndShown() {
    AddSelected("20250307-091502-DrayTek.draydata", vp35b);
    FDialogs.SaveStatistics = {PathOf("kept.draydata")};
    Run(FForm->acnSaveStatToFile);
    Run(FForm->acnRemoveAll);
    AddSelected("20300101-000000-Later.draydata", vp8b);
    FDialogs.OpenStatistics = {PathOf("kept.draydata"), PathOf("kept.draydata")};
    Run(FForm->acnLoadStatFromFile);
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    // It sorts above the entry selected before and is selected all the same.
    QCOMPARE(Entries(), (QStringList{"20250307-091502-DrayTek.draydata", "20300101-000000-Later.draydata"}));
    QCOMPARE(Selected(), QStringLiteral("20250307-091502-DrayTek.draydata"));
    QCOMPARE(FForm->pgcMain->memStats->toPlainText(), QStringLiteral("status of 20250307-091502-DrayTek.draydata"));
    QCOMPARE(FForm->pnlInputs->lblProfileName->text(), QStringLiteral("VDSL profile: 35B"));
    // The same file a second time.
    Run(FForm->acnLoadStatFromFile);
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Data already loaded"});
    QCOMPARE(Entries().size(), 2);
  }

  void FileThatIsNoSnapshotIsReportedAndNothingJoins_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("report");
    QTest::newRow("other signature") << QByteArray("\x06\x05Hello", 7)
                                     << "Not a valida 'DrayData' file.";
    QTest::newRow("plain text") << QByteArray("just some text\n") << "";
    QTest::newRow("empty") << QByteArray() << "";
  }

  void FileThatIsNoSnapshotIsReportedAndNothingJoins() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, report);
    AddSelected("20240101-000000-Old.draydata");
    WriteBytes(PathOf("bad.draydata"), bytes);
    FDialogs.OpenStatistics = {PathOf("bad.draydata")};
    Run(FForm->acnLoadStatFromFile);
    QCOMPARE(FErrors.Reports.size(), std::size_t(1));
    if (!report.isEmpty())
      QCOMPARE(QString::fromStdString(FErrors.Reports.front()), report);
    QCOMPARE(Entries(), QStringList{"20240101-000000-Old.draydata"});
    QCOMPARE(Selected(), QStringLiteral("20240101-000000-Old.draydata"));
  }

  void SaveToAnImpossiblePlaceIsReportedAndTheListKeepsItsEntry() {
    AddSelected("20240101-000000-Old.draydata");
    FDialogs.SaveStatistics = {PathOf("no-such-folder/x.draydata")};
    Run(FForm->acnSaveStatToFile);
    QCOMPARE(FErrors.Reports.size(), std::size_t(1));
    QCOMPARE(Entries(), QStringList{"20240101-000000-Old.draydata"});
    QVERIFY(!QApplication::overrideCursor());  // the wait cursor is gone again
  }

  void CancelledLoadChangesNothing() {
    AddSelected("20240101-000000-Old.draydata");
    FDialogs.OpenStatistics = {std::nullopt};
    Run(FForm->acnLoadStatFromFile);
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QCOMPARE(Entries(), QStringList{"20240101-000000-Old.draydata"});
  }
};

QTEST_MAIN(TStatisticsFilesTest)
#include "tst_StatisticsFiles.moc"
