// The main window's side of a retrieval: start, progress, end of the run.

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>

#include "DataFileName.h"
#include "ErrorDisplay.h"
#include "ErrorReport.h"
#include "InputPanel.h"
#include "QtMainThreadQueue.h"
#include "ResourceStrings.h"
#include "TelnetClient.h"
#include "UpDown.h"
#include "WindowReader.h"
#include "fmMain.h"

std::string TfrmMain::GenerateDataFileName() const {
  return ::GenerateDataFileName(pnlInputs->edRouterName->text().toStdString());
}

void TfrmMain::acnRetrieveDataExecute() {
  UpdateProfileLabel(vpNA);
  DisplayTextData(nullptr);
  DisplayChartData(nullptr);
  StartRetrieval();
}

void TfrmMain::StartRetrieval() {
  const TInputPanel &p = *pnlInputs;
  FTelnet->SetHost(p.edRouter->text().toStdString());
  FTelnet->SetPort(static_cast<std::uint16_t>(p.udTelnetPort->Position()));
  if (FReader) {
    FErrors->ShowErrorMessage(rsReaderThreadAlreadyRunning);
    return;
  }
  TWindowReaderResources run;
  run.RunTelnet = FTelnet;
  run.RunQueue = FQueue;
  run.RunView = std::make_unique<TViewRelay>(this, this);
  run.RunData = std::make_unique<TDrayData>(GenerateDataFileName());
  // A failure here frees the snapshot with the resources.
  auto reader = std::make_unique<TWindowReader>(std::move(run), p.edUser->text().toStdString(),
                                                p.edPassword->text().toStdString(),
                                                p.edRouterName->text().toStdString(), p.chkShowBins->isChecked(),
                                                FTimeouts);
  reader->SetFreeOnTerminate(true);
  // The handler runs on this thread; once the window is gone it does
  // nothing and the reader, freeing itself, frees the run's snapshot.
  reader->OnTerminate = [Window = QPointer<TfrmMain>(this)](TThread *ASender) {
    if (Window)
      Window->Guarded([&] { Window->ReaderTerminate(static_cast<TWindowReader &>(*ASender)); });
  };
  reader->Start();
  FReader = reader.release();
}

// The reader ends at its next check; the current command's wait runs out
// first, so the window stays as it is until ReaderTerminate.
void TfrmMain::acnStopRetrievalExecute() {
  if (FReader)
    FReader->Terminate();
}

void TfrmMain::ReaderTerminate(TWindowReader &ASender) {
  FReader = nullptr;
  pbRetrieval->hide();
  const TRetrievalOutcome &Outcome = ASender.Outcome();
  // Stopped by the user: whatever it read is dropped, a logon cut short
  // included, and the display goes back to the selected entry. A failure
  // outside the dialogue with the router is still reported below.
  if (Outcome.Stopped && Outcome.End != TRetrievalEnd::Failed) {
    ASender.DiscardData();
    DisplayTextData(nullptr);
    DisplayChartData(nullptr);
    UpdateProfileLabel(vpNA);
    lbxStatisticsClick();
    SetStatusText("Retrieval stopped");
    return;
  }
  switch (Outcome.End) {
  case TRetrievalEnd::Refused:
    ASender.DiscardData();
    FErrors->ShowErrorMessage(Outcome.Reason);
    SetStatusText("");
    lbxStatisticsClick();
    return;
  case TRetrievalEnd::Failed:
    ASender.DiscardData();
    SetStatusText("");
    FErrors->ShowErrorReport(GeneralErrorReportText(Outcome.Reason));
    return;
  case TRetrievalEnd::Complete:
  case TRetrievalEnd::Partial:
    break;
  }
  if (std::unique_ptr<TDrayData> snapshot = ASender.TakeData()) {
    TDrayData *added = snapshot.get();
    FDrayDataList->Add(std::move(snapshot));
    // The run has drawn it already; a click on its entry need not redraw.
    // Only the analysis waits for the whole snapshot.
    FDisplayedData = added;
    FLineView->Show(added);
  }
  // A run cut short by a failure keeps what it read; the user learns why it
  // is incomplete.
  if (!Outcome.Reason.empty())
    SetStatusText(Outcome.Reason);
}
