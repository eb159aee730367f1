#pragma once
// The folder each kind of file was last opened from or saved to, kept across
// runs in the user's settings (organisation "Tonegraph"), so that a file
// dialog opens where the user left off for that kind of file.

#include <QString>

class QFileDialog;

enum class TFileKind { Statistics, Configuration, CapturedText, History };

class TRecentFolders {
public:
  // Empty until a file of that kind has been chosen.
  static QString Folder(TFileKind AKind);
  static void Remember(TFileKind AKind, const QString &AFileName);
  // Opens ADialog in the kind's folder, if there is one.
  static void OpenIn(QFileDialog &ADialog, TFileKind AKind);
};
