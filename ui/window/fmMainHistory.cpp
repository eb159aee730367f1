// The main window's history: a database of captures opened into the snapshot
// list, its timeline, and the envelope of a time range on the charts.

#include <QListWidget>
#include <QProgressDialog>

#include "DrayData.h"
#include "ErrorDisplay.h"
#include "FileDialogs.h"
#include "HistoryError.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "InputPanel.h"
#include "MainPages.h"
#include "TimelinePage.h"
#include "ToneEnvelope.h"
#include "fmMain.h"

namespace {

// Thrown from inside a read the user cancelled, to leave it at once.
struct TCancelled {};

// A capture's entry in the list: its time as people read it, then the
// router. A snapshot file stored as it was keeps the file's name, whose date
// is the capture's time already.
std::string EntryName(const TCapture &ACapture) {
  std::string time = ACapture.Time;
  if (time.size() >= 19 && time[10] == 'T')
    time = time.substr(0, 10) + " " + time.substr(11, 8);
  return time + " " + RouterFromDataFileName(ACapture.Name).value_or(ACapture.Name);
}

// Shown only when the work lasts longer than a moment; cancelling stops it.
class THistoryProgress {
public:
  THistoryProgress(QWidget *AParent, const QString &AText, int ACount)
      : FDialog(AText, QStringLiteral("Cancel"), 0, ACount, AParent) {
    FDialog.setWindowTitle(QStringLiteral("History"));
    FDialog.setWindowModality(Qt::WindowModal);
    FDialog.setMinimumDuration(500);
    FDialog.setValue(0);
  }
  void Step() {
    FDialog.setValue(++FDone);
    if (FDialog.wasCanceled())
      throw TCancelled();
  }

private:
  QProgressDialog FDialog;
  int FDone = 0;
};

}  // namespace

void TfrmMain::acnOpenHistoryExecute() {
  if (const std::optional<std::string> fileName = FFileDialogs->OpenHistoryFileName())
    OpenHistory(*fileName);
}

void TfrmMain::OpenHistory(const std::string &AFileName) {
  std::unique_ptr<THistoryStore> store;
  std::vector<TCapture> captures;
  try {
    store = std::make_unique<THistoryStore>(AFileName, THistoryStore::TOpen::ReadOnly);
    captures = store->Captures();
  } catch (const EHistoryError &E) {
    FErrors->ShowErrorMessage(E.what());
    return;
  }
  std::vector<const TCapture *> snapshots;
  for (const TCapture &capture : captures)
    if (capture.Ok)
      snapshots.push_back(&capture);
  // The list holds whole snapshots; beyond the latest ones the timeline and
  // the envelope still cover every capture.
  const std::size_t skipped = snapshots.size() > HistoryListLimit ? snapshots.size() - HistoryListLimit : 0;
  snapshots.erase(snapshots.begin(), snapshots.begin() + std::ptrdiff_t(skipped));

  std::vector<std::unique_ptr<TDrayData>> loaded;
  std::string firstFailure;
  int failures = 0;
  try {
    THistoryProgress progress(this, QStringLiteral("Reading the captures' snapshots..."), int(snapshots.size()));
    for (const TCapture *capture : snapshots) {
      progress.Step();
      try {
        auto snapshot = std::make_unique<TDrayData>();
        snapshot->LoadFromBytes(store->SnapshotBytes(capture->Id));
        snapshot->SetName(EntryName(*capture));
        loaded.push_back(std::move(snapshot));
      } catch (const std::exception &E) {
        if (failures++ == 0)
          firstFailure = E.what();
      }
    }
  } catch (const TCancelled &) {
  }
  FHistory = std::move(store);
  FEnvelopeRange.reset();
  FCharts->SetEnvelope(nullptr);
  // In the order of time: the newest capture ends up selected. Opening a
  // database again adds only the captures made since.
  for (std::unique_ptr<TDrayData> &snapshot : loaded)
    if (!ListHoldsName(snapshot->Name()))
      FDrayDataList->Add(std::move(snapshot));
  const TTimeline timeline = TimelineOf(captures);
  pgcMain->tbsTimeline->ShowTimeline(&timeline);
  pgcMain->setCurrentWidget(pgcMain->tbsTimeline);
  lbxStatisticsClick();
  std::string status = "History " + AFileName + ": " + std::to_string(captures.size()) + " captures";
  if (skipped > 0)
    status += ", the latest " + std::to_string(HistoryListLimit) + " snapshots in the list";
  SetStatusText(status);
  if (failures > 0)
    FErrors->ShowErrorMessage(std::to_string(failures) + " captures of the history could not be read. " + firstFailure);
}

void TfrmMain::ChooseEnvelopeRange(std::optional<TTimeRange> ARange) {
  FEnvelopeRange = ARange;
  FCharts->SetEnvelope(nullptr);
  RedrawCharts();
}

// The envelope follows the profile of the snapshot shown: captures of
// another profile have other tones.
void TfrmMain::UpdateEnvelope(const TDrayData *AData) {
  if (!FHistory || !AData)
    return;
  const std::string profile = ProfileName(AData->VDSLProfile());
  if (FCharts->Envelope() && FCharts->Envelope()->Profile == profile)
    return;
  std::optional<std::string> from, to;
  if (FEnvelopeRange) {
    from = UtcTimeText(FEnvelopeRange->From);
    to = UtcTimeText(FEnvelopeRange->To);
  }
  TEnvelopeBuilder builder(profile);
  try {
    const int count = FHistory->ToneSeriesCount(profile, from, to);
    if (count == 0)
      return;
    THistoryProgress progress(this, QStringLiteral("Reading the tones of %1 captures...").arg(count), count);
    FHistory->ForEachToneSeries(profile, from, to, [&](const TToneSeries &ASeries) {
      progress.Step();
      builder.Add(ASeries);
    });
  } catch (const TCancelled &) {
    return;
  } catch (const EHistoryError &E) {
    FErrors->ShowErrorMessage(E.what());
    return;
  }
  FCharts->SetEnvelope(std::make_shared<const TToneEnvelope>(builder.Envelope()));
}
