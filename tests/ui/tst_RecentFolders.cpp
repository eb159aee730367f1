// The window's own file dialogs open in the folder last used for their kind
// of file: statistics and configuration files each keep their own, and the
// folders outlive the dialogs (they are kept in the user's settings).

#include <functional>
#include <optional>

#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "QtFileDialogs.h"
#include "RecentFolders.h"

class TRecentFoldersTest : public QObject {
  Q_OBJECT

  QTemporaryDir FSettings;

  // Runs AOpen while the modal dialog it shows notes its folder and then
  // accepts AChoose (or cancels when AChoose is empty).
  static QString FolderSeen(const std::function<void()> &AOpen, const QString &AChoose = {}) {
    QString seen;
    QTimer::singleShot(0, [&] {
      auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      seen = QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
      if (AChoose.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->selectFile(AChoose);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    AOpen();
    return seen;
  }

  static QString Canonical(const QString &APath) { return QFileInfo(APath).canonicalFilePath(); }

private slots:
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path()); }

  void EachKindOpensWhereItsLastFileWas() {
    QTemporaryDir configFolder, statsFolder;
    const QString conf = configFolder.filePath(QStringLiteral("line.conf"));
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    TQtFileDialogs dialogs(nullptr);

    std::optional<std::string> chosen;
    FolderSeen([&] { chosen = dialogs.OpenConfigurationFileName(); }, conf);
    QCOMPARE(Canonical(QString::fromStdString(chosen.value())), Canonical(conf));
    FolderSeen([&] { chosen = dialogs.SaveStatisticsFileName("20250102-080000-MyRouter.draydata"); },
               statsFolder.filePath(QStringLiteral("saved.draydata")));
    QVERIFY(chosen);

    // A new set of dialogs, as after a restart: each kind has its own folder.
    TQtFileDialogs later(nullptr);
    QCOMPARE(FolderSeen([&] { later.SaveConfigurationFileName(); }), Canonical(configFolder.path()));
    QCOMPARE(FolderSeen([&] { later.OpenStatisticsFileName(); }), Canonical(statsFolder.path()));
    QCOMPARE(QSettings(QStringLiteral("Tonegraph"), QStringLiteral("Tonegraph"))
                 .value(QStringLiteral("Folders/Configuration"))
                 .toString(),
             QFileInfo(conf).absolutePath());
  }

  // A cancelled dialog leaves the remembered folder as it was.
  void CancellingRemembersNothing() {
    QTemporaryDir folder;
    TRecentFolders::Remember(TFileKind::Statistics, folder.filePath(QStringLiteral("a.draydata")));
    TQtFileDialogs dialogs(nullptr);
    FolderSeen([&] { QVERIFY(!dialogs.OpenStatisticsFileName()); });
    QCOMPARE(TRecentFolders::Folder(TFileKind::Statistics), QFileInfo(folder.path()).absoluteFilePath());
  }
};

QTEST_MAIN(TRecentFoldersTest)
#include "tst_RecentFolders.moc"
