// The main window's history: a database of captures opened into the snapshot
// list, its timeline, and the envelope of a time range on the charts.

#include <QListWidget>
#include <QProgressDialog>

#include "DrayData.h"
#include "ErrorDisplay.h"
#include "FileDialogs.h"
#include "HistoryError.h"
#include "InputPanel.h"
#include "MainPages.h"
#include "TimelinePage.h"
#include "ToneEnvelope.h"
#include "fmMain.h"

namespace {

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
  // False once the user has cancelled.
  bool Step() {
    FDialog.setValue(++FDone);
    return !FDialog.wasCanceled();
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
  try {
    FHistory.Open(AFileName);
  } catch (const EHistoryError &E) {
    FErrors->ShowErrorMessage(E.what());
    return;
  }
  FCharts->SetEnvelope(nullptr);
  THistoryJoin join;
  {
    THistoryProgress progress(this, QStringLiteral("Reading the captures' snapshots..."),
                              int(FHistory.Listed()));
    join = FHistory.ReadSnapshots(FSnapshotList, [&progress] { return progress.Step(); });
  }
  // In the order of time: the newest capture ends up selected.
  for (std::unique_ptr<TDrayData> &snapshot : join.Snapshots)
    FDrayDataList->Add(std::move(snapshot));
  const TTimeline timeline = TimelineOf(FHistory.Captures());
  pgcMain->tbsTimeline->ShowTimeline(&timeline);
  pgcMain->setCurrentWidget(pgcMain->tbsTimeline);
  lbxStatisticsClick();
  SetStatusText(FHistory.StatusText());
  if (join.Failures > 0)
    FErrors->ShowErrorMessage(std::to_string(join.Failures) + " captures of the history could not be read. " +
                              join.FirstFailure);
}

void TfrmMain::ChooseEnvelopeRange(std::optional<TTimeRange> ARange) {
  FHistory.ChooseRange(ARange);
  FCharts->SetEnvelope(nullptr);
  RedrawCharts();
}

// The envelope follows the profile of the snapshot shown: captures of
// another profile have other tones.
void TfrmMain::UpdateEnvelope(const TDrayData *AData) {
  if (!FHistory.Store() || !AData)
    return;
  const std::string profile = ProfileName(AData->VDSLProfile());
  if (FCharts->Envelope() && FCharts->Envelope()->Profile == profile)
    return;
  std::optional<TToneEnvelope> envelope;
  try {
    const int count = FHistory.EnvelopeCaptures(profile);
    if (count == 0)
      return;
    THistoryProgress progress(this, QStringLiteral("Reading the tones of %1 captures...").arg(count), count);
    envelope = FHistory.Envelope(profile, [&progress] { return progress.Step(); });
  } catch (const EHistoryError &E) {
    FErrors->ShowErrorMessage(E.what());
    return;
  }
  if (envelope)
    FCharts->SetEnvelope(std::make_shared<const TToneEnvelope>(std::move(*envelope)));
}
