// "Recent files" on the snapshot list's menu: the statistics files loaded or
// saved last, newest first, without duplicates, kept across runs; choosing
// one loads it as "Load statistics..." does, and one that is gone is
// reported and leaves the list.

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "FileDialogAnswers.h"
#include "InputPanel.h"
#include "RecentFiles.h"
#include "UiTestSupport.h"
#include "fmMain.h"

namespace {

QString Absolute(const QString &AName) { return QDir::cleanPath(QDir::current().absoluteFilePath(AName)); }

QStringList Numbered(const QString &AStem, int ACount) {
  QStringList files;
  for (int i = 0; i < ACount; ++i)
    files << QStringLiteral("/lines/%1%2.draydata").arg(AStem).arg(i);
  return files;
}

}  // namespace

class TRecentFilesTest : public QObject {
  Q_OBJECT

  QTemporaryDir FSettings;
  std::unique_ptr<QTemporaryDir> FFolder;
  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  TFileDialogAnswers FDialogs;

  QString Saved(const char *AName) {
    TDrayData data(AName);
    data.SetVDSLProfile(vp17a);
    const QString file = FFolder->filePath(QString::fromLatin1(AName) + QStringLiteral(".draydata"));
    data.SaveToFile(file.toStdString());
    return file;
  }

  // The submenu's entries as the user sees them after opening the menu.
  static QList<QAction *> Entries(TfrmMain &AForm) {
    AForm.UpdateActions();
    AForm.mnuStatListBox->popup(QPoint(10, 10));
    AForm.mnuStatListBox->close();
    return AForm.mnuRecentFiles->actions();
  }

  static QStringList FilesOf(const QList<QAction *> &AEntries) {
    QStringList files;
    for (const QAction *entry : AEntries)
      files << entry->data().toString();
    return files;
  }

private slots:
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path()); }

  void init() {
    QSettings(QStringLiteral("Tonegraph"), QStringLiteral("Tonegraph")).clear();
    FFolder = std::make_unique<QTemporaryDir>();
    FErrors = {};
    FDialogs = {};
  }

  void TheNewestFirstWithoutDuplicates_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first") << QStringList() << "/lines/a.draydata" << QStringList{"/lines/a.draydata"};
    QTest::newRow("another") << QStringList{"/lines/a.draydata"} << "/lines/b.draydata"
                             << QStringList{"/lines/b.draydata", "/lines/a.draydata"};
    QTest::newRow("again moves up") << QStringList{"/lines/b.draydata", "/lines/a.draydata", "/lines/c.draydata"}
                                    << "/lines/a.draydata"
                                    << QStringList{"/lines/a.draydata", "/lines/b.draydata", "/lines/c.draydata"};
    QTest::newRow("same file spelt otherwise")
        << QStringList{"/lines/b.draydata", "/lines/a.draydata"} << "/lines/old/../a.draydata"
        << QStringList{"/lines/a.draydata", "/lines/b.draydata"};
    QTest::newRow("relative to the working folder")
        << QStringList{Absolute("a.draydata")} << "./sub/../a.draydata" << QStringList{Absolute("a.draydata")};
    QTest::newRow("the oldest drops out past ten")
        << Numbered("old", 10) << "/lines/new.draydata"
        << (QStringList{"/lines/new.draydata"} << Numbered("old", 9));
    QTest::newRow("a full list keeps all ten when one moves up")
        << Numbered("old", 10) << "/lines/old9.draydata"
        << (QStringList{"/lines/old9.draydata"} << Numbered("old", 9));
  }

  void TheNewestFirstWithoutDuplicates() {
    QFETCH(QStringList, before);
    QFETCH(QString, file);
    QFETCH(QStringList, after);
    QCOMPARE(TRecentFiles::WithNewest(before, file), after);
  }

  void RememberedAcrossRuns() {
    for (const QString &file : Numbered("line", 12))
      TRecentFiles::Remember(file);
    TRecentFiles::Forget(QStringLiteral("/lines/line10.draydata"));
    // What a later run reads back from the settings.
    const QStringList stored = QSettings(QStringLiteral("Tonegraph"), QStringLiteral("Tonegraph"))
                                   .value(QStringLiteral("Recent/Statistics"))
                                   .toStringList();
    QStringList expected;
    for (int i = 11; i >= 2; --i)
      if (i != 10)
        expected << QStringLiteral("/lines/line%1.draydata").arg(i);
    QCOMPARE(stored, expected);
    QCOMPARE(TRecentFiles::Files(), expected);
  }

  void Captions_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first") << 0 << "/lines/a.draydata" << "&1 a.draydata  (/lines)";
    QTest::newRow("ninth") << 8 << "/lines/a.draydata" << "&9 a.draydata  (/lines)";
    QTest::newRow("tenth") << 9 << "/lines/a.draydata" << "1&0 a.draydata  (/lines)";
    QTest::newRow("ampersands") << 1 << "/R&D/line & co.draydata" << "&2 line && co.draydata  (/R&&D)";
  }

  void Captions() {
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QCOMPARE(TRecentFiles::Caption(index, file), caption);
  }

  // Loaded from the dialog, saved, given on the command line: each becomes
  // the newest entry; choosing one loads it.
  void LoadedAndSavedFilesAreOfferedAndLoadAgain() {
    const QString first = Saved("first"), second = Saved("second");
    const QString copy = FFolder->filePath(QStringLiteral("copy.draydata"));
    {
      TfrmMain form({first}, TMainServices{&FErrors, &FHelp, &FDialogs});
      FDialogs.OpenStatistics = {second.toStdString()};
      form.acnLoadStatFromFile->trigger();
      FDialogs.SaveStatistics = {copy.toStdString()};
      form.acnSaveStatToFile->trigger();
      QCOMPARE(FilesOf(Entries(form)), (QStringList{copy, second, first}));
      QVERIFY(form.mnuRecentFiles->menuAction()->isEnabled());
    }
    // A later run offers them, and choosing the oldest loads it.
    TfrmMain later(QStringList{}, TMainServices{&FErrors, &FHelp, &FDialogs});
    const QList<QAction *> entries = Entries(later);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(2)->text(), QStringLiteral("&3 first.draydata  (%1)").arg(QDir::toNativeSeparators(FFolder->path())));
    entries.at(2)->trigger();
    QCOMPARE(ListTexts(later.pnlInputs->lbxStatistics), QStringList{QStringLiteral("first")});
    QCOMPARE(NameOf(later.GetSelectedDrayData()), QStringLiteral("first"));
    QCOMPARE(FilesOf(Entries(later)), (QStringList{first, copy, second}));
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
  }

  void AFileThatIsGoneIsReportedAndLeavesTheList() {
    const QString kept = Saved("kept"), gone = Saved("gone");
    TRecentFiles::Remember(kept);
    TRecentFiles::Remember(gone);
    QVERIFY(QFile::remove(gone));
    TfrmMain form(QStringList{}, TMainServices{&FErrors, &FHelp, &FDialogs});
    Entries(form).at(0)->trigger();
    QCOMPARE(FErrors.Reports.size(), std::size_t(1));
    // The loader's own words, with the missing file's name.
    QVERIFY2(QString::fromStdString(FErrors.Reports.front()).startsWith(QStringLiteral("Cannot open file \"%1\"").arg(gone)),
             FErrors.Reports.front().c_str());
    QCOMPARE(form.pnlInputs->lbxStatistics->count(), 0);
    QCOMPARE(FilesOf(Entries(form)), QStringList{kept});
    QCOMPARE(TRecentFiles::Files(), QStringList{kept});
  }

  // A file refused as already loaded still reads: it stays on offer.
  void AFileAlreadyLoadedStaysOnOffer() {
    const QString file = Saved("twice");
    TfrmMain form({file}, TMainServices{&FErrors, &FHelp, &FDialogs});
    Entries(form).at(0)->trigger();
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Data already loaded"});
    QCOMPARE(FilesOf(Entries(form)), QStringList{file});
  }

  void NothingToOfferLeavesTheSubmenuDisabled() {
    TfrmMain form(QStringList{}, TMainServices{&FErrors, &FHelp, &FDialogs});
    QVERIFY(Entries(form).isEmpty());
    QVERIFY(!form.mnuRecentFiles->menuAction()->isEnabled());
    QCOMPARE(form.mnuRecentFiles->menuAction()->text(), QStringLiteral("Recent files"));
  }
};

QTEST_MAIN(TRecentFilesTest)
#include "tst_RecentFiles.moc"
