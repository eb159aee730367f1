#pragma once
// The snapshot files the user loaded or saved last, newest first, kept
// across runs in the user's settings for the list's "Recent files" menu.

#include <QString>
#include <QStringList>

class TRecentFiles {
public:
  static constexpr int MaxCount = 10;

  // The remembered files, newest first, each by its absolute path.
  static QStringList Files();
  // AFileName becomes the newest; an entry for the same file moves up
  // rather than appear twice, and the oldest beyond MaxCount are dropped.
  static void Remember(const QString &AFileName);
  static void Forget(const QString &AFileName);

  // The list AFiles with AFileName put first, as Remember keeps it.
  static QStringList WithNewest(QStringList AFiles, const QString &AFileName);
  // The text of a menu entry: its number as the shortcut key, then the
  // file's name and folder.
  static QString Caption(int AIndex, const QString &AFileName);
};
