// Snapshot files named on the command line and files dropped on the window
// open as "Load statistics..." opens them: each joins the list, one that
// fails is reported and the rest still load.

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "InputPanel.h"
#include "UiTestSupport.h"
#include "fmMain.h"

class TOpenFilesTest : public QObject {
  Q_OBJECT

  QTemporaryDir FFolder;
  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;

  QString Saved(const char *AName) {
    TDrayData data(AName);
    data.SetVDSLProfile(vp17a);
    const QString file = FFolder.filePath(QString::fromLatin1(AName) + QStringLiteral(".draydata"));
    data.SaveToFile(file.toStdString());
    return file;
  }

  static QStringList Listed(const TfrmMain &AForm) {
    QStringList names;
    for (int i = 0; i < AForm.pnlInputs->lbxStatistics->count(); ++i)
      names << AForm.pnlInputs->lbxStatistics->item(i)->text();
    return names;
  }

private slots:
  void init() { FErrors = {}; }

  void FilesOnTheCommandLineJoinTheList() {
    const QString missing = FFolder.filePath(QStringLiteral("missing.draydata"));
    TfrmMain form({Saved("first"), missing, Saved("second"), QStringLiteral("notes.txt")},
                  TMainServices{&FErrors, &FHelp});
    QCOMPARE(Listed(form), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    // The missing file is reported, the text file is not a snapshot at all.
    QCOMPARE(FErrors.Messages.size() + FErrors.Reports.size(), std::size_t(1));
  }

  void DroppedFilesJoinTheList() {
    TfrmMain form(QStringList{}, TMainServices{&FErrors, &FHelp});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Saved("dropped")), QUrl::fromLocalFile(Saved("also dropped"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    // The list keeps its own order, by name.
    QCOMPARE(Listed(form), (QStringList{QStringLiteral("also dropped"), QStringLiteral("dropped")}));
    // Dropping the same file again: already loaded, as the dialog says.
    QDragEnterEvent enterAgain(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enterAgain);
    QDropEvent again(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &again);
    QCOMPARE(Listed(form).size(), 2);
    QCOMPARE(QString::fromStdString(FErrors.Messages.empty() ? "" : FErrors.Messages.front()),
             QStringLiteral("Data already loaded"));
  }

  void TextWithoutFilesIsNotTakenAsADrop() {
    TfrmMain form(QStringList{}, TMainServices{&FErrors, &FHelp});
    QMimeData data;
    data.setText(QStringLiteral("first.draydata"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(!enter.isAccepted());
  }
};

QTEST_MAIN(TOpenFilesTest)
#include "tst_OpenFiles.moc"
