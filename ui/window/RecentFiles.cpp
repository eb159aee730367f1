#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>

#include "UserSettings.h"

namespace {

const QString FilesKey = QStringLiteral("Recent/Statistics");

// One spelling per file, however it was named ("./a.draydata", "x/../a..."),
// so that the same file is never listed twice.
QString Normalised(const QString &AFileName) {
  return QDir::cleanPath(QFileInfo(AFileName).absoluteFilePath());
}

void Store(const QStringList &AFiles) { UserSettings().setValue(FilesKey, AFiles); }

} // namespace

QStringList TRecentFiles::Files() {
  QStringList Files = UserSettings().value(FilesKey).toStringList();
  // Settings edited by hand may hold anything; the menu shows no more.
  Files.removeAll(QString());
  return Files.mid(0, MaxCount);
}

QStringList TRecentFiles::WithNewest(QStringList AFiles, const QString &AFileName) {
  const QString File = Normalised(AFileName);
  AFiles.removeAll(File);
  AFiles.prepend(File);
  return AFiles.mid(0, MaxCount);
}

void TRecentFiles::Remember(const QString &AFileName) { Store(WithNewest(Files(), AFileName)); }

void TRecentFiles::Forget(const QString &AFileName) {
  QStringList Files = TRecentFiles::Files();
  Files.removeAll(Normalised(AFileName));
  Store(Files);
}

QString TRecentFiles::Caption(int AIndex, const QString &AFileName) {
  const QFileInfo Info(AFileName);
  // An ampersand in a name is a letter here, not a shortcut mark.
  auto Literal = [](QString AText) { return AText.replace(QLatin1Char('&'), QStringLiteral("&&")); };
  const QString Number = AIndex < 9 ? QStringLiteral("&%1").arg(AIndex + 1) : QStringLiteral("1&0");
  return QStringLiteral("%1 %2  (%3)").arg(Number, Literal(Info.fileName()), Literal(QDir::toNativeSeparators(Info.path())));
}
