// The main window's "Recent files" submenu of the snapshot list's menu.

#include <QAction>
#include <QMenu>

#include "RecentFiles.h"
#include "fmMain.h"

void TfrmMain::CreateRecentFilesMenu() {
  mnuRecentFiles = mnuStatListBox->addMenu(QStringLiteral("Recent files"));
  mnuRecentFiles->setObjectName(QStringLiteral("mnuRecentFiles"));
  // Another window may have loaded or saved a file since: read the list
  // each time rather than keep a copy.
  connect(mnuStatListBox, &QMenu::aboutToShow, this, &TfrmMain::FillRecentFilesMenu);
}

void TfrmMain::FillRecentFilesMenu() {
  mnuRecentFiles->clear();
  const QStringList files = TRecentFiles::Files();
  for (int i = 0; i < files.size(); ++i) {
    const QString file = files.at(i);
    QAction *entry = mnuRecentFiles->addAction(TRecentFiles::Caption(i, file));
    entry->setData(file);
    entry->setStatusTip(file);
    connect(entry, &QAction::triggered, this, [this, file] { Guarded([this, file] { mnuRecentFileClick(file); }); });
  }
  // Loading is refused while a reader runs, from here as from the button.
  TActionInputs inputs = CurrentActionInputs();
  inputs.RecentFilesKept = !files.isEmpty();
  mnuRecentFiles->menuAction()->setEnabled(ComputeActionStates(inputs).RecentFiles);
}

// A file that cannot be loaded any more (removed, or no longer a snapshot
// file) is reported as the loader words it and leaves the list.
void TfrmMain::mnuRecentFileClick(const QString &AFileName) {
  UpdateActions();
  if (!acnLoadStatFromFile->isEnabled())
    return;
  try {
    LoadStatisticsFile(AFileName.toStdString());
  } catch (...) {
    TRecentFiles::Forget(AFileName);
    throw;
  }
}
