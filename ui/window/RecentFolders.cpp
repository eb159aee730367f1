#include "RecentFolders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "UserSettings.h"

namespace {

QString Key(TFileKind AKind) {
  switch (AKind) {
  case TFileKind::Statistics:
    return QStringLiteral("Folders/Statistics");
  case TFileKind::Configuration:
    return QStringLiteral("Folders/Configuration");
  case TFileKind::CapturedText:
    return QStringLiteral("Folders/CapturedText");
  case TFileKind::History:
    return QStringLiteral("Folders/History");
  }
  return {};
}

}  // namespace

QString TRecentFolders::Folder(TFileKind AKind) {
  return UserSettings().value(Key(AKind)).toString();
}

void TRecentFolders::Remember(TFileKind AKind, const QString &AFileName) {
  UserSettings().setValue(Key(AKind), QFileInfo(AFileName).absolutePath());
}

void TRecentFolders::OpenIn(QFileDialog &ADialog, TFileKind AKind) {
  const QString folder = Folder(AKind);
  // A folder removed since is left to the dialog's own default.
  if (!folder.isEmpty() && QDir(folder).exists())
    ADialog.setDirectory(folder);
}
