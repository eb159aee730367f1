// The main window's snapshot files ("Load statistics...", "Save
// statistics...", dropped or named on the command line) and configuration
// files.

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "Configuration.h"
#include "DrayData.h"
#include "ErrorDisplay.h"
#include "FileDialogs.h"
#include "HistoryStore.h"
#include "InputPanel.h"
#include "InputPanelSettings.h"
#include "RecentFiles.h"
#include "ResourceStrings.h"
#include "fmMain.h"

namespace {

// The wait cursor for as long as it lives, also when a failure passes.
class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor &) = delete;
  TWaitCursor &operator=(const TWaitCursor &) = delete;
};

}  // namespace

void TfrmMain::acnSaveStatToFileExecute() { SaveStatistics(); }
void TfrmMain::acnLoadStatFromFileExecute() { LoadStatistics(); }

void TfrmMain::SaveStatistics() {
  const std::optional<std::string> fileName = FFileDialogs->SaveStatisticsFileName(GenerateDataFileName());
  if (!fileName)
    return;
  const TWaitCursor wait;
  if (TDrayData *snapshot = GetSelectedDrayData()) {
    snapshot->SaveToFile(*fileName);
    TRecentFiles::Remember(QString::fromStdString(*fileName));
  }
}

void TfrmMain::LoadStatistics() {
  if (const std::optional<std::string> fileName = FFileDialogs->OpenStatisticsFileName())
    LoadStatisticsFile(*fileName);
}

// Each file is loaded on its own: one that fails is reported and the others
// still load.
void TfrmMain::LoadStatisticsFiles(const QStringList &AFileNames) {
  for (const QString &name : AFileNames)
    Guarded([this, &name] { LoadStatisticsFile(name.toStdString()); });
}

namespace {

QStringList DroppedFiles(const QMimeData *AData) {
  QStringList files;
  for (const QUrl &url : AData->urls())
    if (url.isLocalFile())
      files << url.toLocalFile();
  return files;
}

}  // namespace

void TfrmMain::dragEnterEvent(QDragEnterEvent *AEvent) {
  if (!DroppedFiles(AEvent->mimeData()).isEmpty())
    AEvent->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent *AEvent) {
  const QStringList files = DroppedFiles(AEvent->mimeData());
  if (files.isEmpty())
    return;
  AEvent->acceptProposedAction();
  LoadStatisticsFiles(files);
}

void TfrmMain::LoadStatisticsFile(const std::string &AFileName) {
  // A history database given on the command line or dropped opens as one.
  if (THistoryStore::IsDatabaseFile(AFileName)) {
    OpenHistory(AFileName);
    return;
  }
  auto snapshot = std::make_unique<TDrayData>();
  {
    const TWaitCursor wait;
    snapshot->LoadFromFile(AFileName);
  }
  // A file that reads is worth offering again, also when it is refused below.
  TRecentFiles::Remember(QString::fromStdString(AFileName));
  if (FSnapshotList.HoldsName(snapshot->Name())) {
    FErrors->ShowErrorMessage(rsDataAlreadyLoaded);
    return;
  }
  FDrayDataList->Add(std::move(snapshot));
  DisplayTextData(nullptr);
  DisplayChartData(nullptr);
  lbxStatisticsClick();
}

void TfrmMain::btnSaveCfgClick() {
  if (const std::optional<std::string> fileName = FFileDialogs->SaveConfigurationFileName())
    SaveConfiguration(*fileName);
}

void TfrmMain::btnLoadConfigurationClick() {
  if (const std::optional<std::string> fileName = FFileDialogs->OpenConfigurationFileName())
    LoadConfiguration(*fileName);
}

void TfrmMain::SaveConfiguration(const std::string &AFileName) {
  ::SaveConfiguration(AFileName, TInputPanelSettings(*pnlInputs).Current());
}

void TfrmMain::LoadConfiguration(const std::string &AFileName) {
  TInputPanelSettings target(*pnlInputs);
  try {
    ::LoadConfiguration(AFileName, target);
  } catch (const EInvalidConfiguration &E) {
    FErrors->ShowErrorMessage(E.what());
  }
}
