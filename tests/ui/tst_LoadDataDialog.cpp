// The load-data-from-files dialog: its choices, the open dialog each
// "Select..." runs, and the snapshot it builds from captured files.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "UiTestSupport.h"
#include "fmLoadDataFromFile.h"

namespace {

const QString Fixtures = QStringLiteral(TONEGRAPH_FIXTURES_DIR);

}  // namespace

class TLoadDataDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TfrmLoadDataFromFiles> FDialog;
  QTemporaryDir FSettings;

private slots:
  // The folders remembered by one test run stay in its own settings.
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path()); }
  void init() { FDialog = std::make_unique<TfrmLoadDataFromFiles>(); }
  void cleanup() { FDialog.reset(); }

  void OpensEmptyWithProfilesInOrder() {
    QCOMPARE(FDialog->windowTitle(), QStringLiteral("Load data from files"));
    const QStringList expected{"N/A", "8a", "8b", "8c", "8d", "12a", "12b", "17a", "30a", "35b"};
    QCOMPARE(FDialog->cbxProfiles->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
      QCOMPARE(FDialog->cbxProfiles->itemText(i), expected[i]);
    QCOMPARE(FDialog->cbxProfiles->currentIndex(), 0);
    for (QLineEdit *edit : {FDialog->edHlogFile, FDialog->edQLNFile, FDialog->edSNRFile, FDialog->edBINFile})
      QVERIFY(edit->text().isEmpty());
    QVERIFY(FDialog->btnOK->isDefault());
  }

  void SelectPreselectsItsFileTypeAndCancelKeepsTheEdit_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("filter");
    QTest::newRow("HLog") << "btnSelectHLogFile" << "edHlogFile" << "HLog files (*.hlog)";
    QTest::newRow("QLN") << "btnSelectQLNFile" << "edQLNFile" << "QLN files (*.qln)";
    QTest::newRow("SNR") << "btnSelectSNRFile" << "edSNRFile" << "SNR files (*.snr)";
    QTest::newRow("bins") << "btnSlectBINFile" << "edBINFile" << "Bins files (*.bins)";
  }

  void SelectPreselectsItsFileTypeAndCancelKeepsTheEdit() {
    QFETCH(QString, button);
    QFETCH(QString, edit);
    QFETCH(QString, filter);
    auto *field = FDialog->findChild<QLineEdit *>(edit);
    field->setText(QStringLiteral("typed before"));
    QString seenFilter, seenTitle;
    QStringList seenFilters;
    QTimer::singleShot(0, [&] {
      auto *open = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      QVERIFY(open);
      seenFilter = open->selectedNameFilter();
      seenFilters = open->nameFilters();
      seenTitle = open->windowTitle();
      open->reject();
    });
    QTest::mouseClick(FDialog->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(seenFilter, filter);
    QCOMPARE(seenTitle, QStringLiteral("Load file"));
    QCOMPARE(seenFilters.size(), 7);
    QCOMPARE(seenFilters.constFirst(), QStringLiteral("Text files (*.txt)"));
    QCOMPARE(seenFilters[5], QStringLiteral("Any file (*.*)"));
    QCOMPARE(seenFilters.constLast(), QStringLiteral("All files (*)"));
    QCOMPARE(field->text(), QStringLiteral("typed before"));
  }

  void ChosenFileReplacesTheEdit() {
    const QString chosen = Fixtures + "/line17a-qln.txt";
    QTimer::singleShot(0, [&] {
      auto *open = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      QVERIFY(open);
      open->selectFile(chosen);
      QMetaObject::invokeMethod(open, "accept");
    });
    QTest::mouseClick(FDialog->btnSelectQLNFile, Qt::LeftButton);
    QCOMPARE(QFileInfo(FDialog->edQLNFile->text()), QFileInfo(chosen));
  }

  // A file chosen for one row: the next "Select...", in a dialog opened
  // afresh and for another row, starts in that file's folder.
  void SelectOpensWhereTheLastFileWasChosen() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("hlog")));  // no extension, as captures often are
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QTimer::singleShot(0, [&] {
      auto *open = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      QVERIFY(open);
      QVERIFY(QFileInfo(open->directory().absolutePath()) != QFileInfo(folder.path()));
      open->selectFile(file.fileName());
      QMetaObject::invokeMethod(open, "accept");
    });
    QTest::mouseClick(FDialog->btnSelectHLogFile, Qt::LeftButton);
    QCOMPARE(QFileInfo(FDialog->edHlogFile->text()), QFileInfo(file.fileName()));

    FDialog = std::make_unique<TfrmLoadDataFromFiles>();
    QString seenFolder;
    QTimer::singleShot(0, [&] {
      auto *open = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      QVERIFY(open);
      seenFolder = open->directory().absolutePath();
      open->reject();
    });
    QTest::mouseClick(FDialog->btnSelectSNRFile, Qt::LeftButton);
    QCOMPARE(QFileInfo(seenFolder), QFileInfo(folder.path()));
  }

  void BuildsSnapshotFromCapturedFiles() {
    FDialog->cbxProfiles->setCurrentIndex(7);  // 17a
    FDialog->edHlogFile->setText(Fixtures + "/line17a-hlog.txt");
    FDialog->edQLNFile->setText(Fixtures + "/line17a-qln.txt");
    FDialog->edSNRFile->setText(Fixtures + "/line17a-snr.txt");
    FDialog->edBINFile->setText(Fixtures + "/line17a-bins.txt");
    std::vector<TEmptyCapture> empty;
    const std::unique_ptr<TDrayData> data = FDialog->GetDrayData(&empty);
    QVERIFY(empty.empty());
    QCOMPARE(data->Name(), std::string("Loaded from file"));
    QCOMPARE(data->VDSLProfile(), vp17a);
    QVERIFY(data->Stats().empty());
    QCOMPARE(data->HLogMultipliers(), (TStatMultipliers{8, 8}));
    QCOMPARE(data->HLogStatsUS()[1].AsInteger(), -5);
    QVERIFY(data->HLogStatsUS()[0].IsNull());
    QVERIFY(!data->SNRUSRaw().empty());
    QVERIFY(!data->BinStatsUSRaw().empty() && !data->BinStatsDSRaw().empty());
    const auto &bins = data->ShowBinStatsDS();
    QVERIFY(std::any_of(bins.begin(), bins.end(), [](const TDrayBinEntry &e) { return e.ToneBits > 0; }));
  }

  void EmptyEditsGiveAnEmptySnapshotOfTheChosenProfile() {
    FDialog->cbxProfiles->setCurrentIndex(9);
    const std::unique_ptr<TDrayData> data = FDialog->GetDrayData();
    QCOMPARE(data->VDSLProfile(), vp35b);
    QVERIFY(data->HLogStatsUS()[0].IsUnassigned());
    QCOMPARE(data->QLNMultipliers(), (TStatMultipliers{0, 0}));
    QCOMPARE(data->ShowBinStatsUS()[100], TDrayBinEntry{});
  }

  // A README chosen as the SNR file and the status text as the bins file give
  // nothing; the snapshot still comes, with both files named.
  void FilesThatGaveNoValuesAreNamed() {
    FDialog->edHlogFile->setText(Fixtures + "/line17a-hlog.txt");
    FDialog->edSNRFile->setText(Fixtures + "/README.linedata.md");
    FDialog->edBINFile->setText(Fixtures + "/router-vdsl-status-17a.txt");
    std::vector<TEmptyCapture> empty;
    const std::unique_ptr<TDrayData> data = FDialog->GetDrayData(&empty);
    QCOMPARE(empty.size(), std::size_t(2));
    QCOMPARE(empty[0].Kind, TDrayKind::SNR);
    QCOMPARE(QString::fromStdString(empty[0].FileName), Fixtures + "/README.linedata.md");
    QCOMPARE(empty[1].Kind, TDrayKind::Bins);
    QCOMPARE(NoValuesNote("snr.txt", empty[0].Kind), std::string("snr.txt: no SNR values found"));
    QVERIFY(!data->HLogUSRaw().empty());
  }

  void MissingFileFailsWithTheLoadersError() {
    FDialog->edHlogFile->setText(Fixtures + "/line17a-hlog.txt");
    FDialog->edSNRFile->setText(Fixtures + "/does-not-exist.snr");
    try {
      FDialog->GetDrayData();
      QFAIL("no error for a missing file");
    } catch (const ETonegraphError &E) {
      QVERIFY(QString::fromUtf8(E.what()).startsWith("Cannot open file \""));
      QVERIFY(QString::fromUtf8(E.what()).contains("does-not-exist.snr"));
    }
  }
};

QTEST_MAIN(TLoadDataDialogTest)
#include "tst_LoadDataDialog.moc"
