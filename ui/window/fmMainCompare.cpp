// The main window's comparison: a reference snapshot drawn beside the one
// shown, or the difference from it. What the comparison holds is the
// controller's; the window marks the reference's entry and redraws.

#include <QEvent>
#include <QInputDialog>
#include <QListWidget>
#include <QMouseEvent>

#include "DrayData.h"
#include "InputPanel.h"
#include "fmMain.h"

void TfrmMain::CreateCompareActions() {
  using S = TActionStates;
  acnCompareWith = NewAction("acnCompareWith", "Compare with...", "Statistics", &S::CompareWith,
                             &TfrmMain::acnCompareWithExecute);
  acnDifference = NewAction("chkDifference", "Difference", "Charts", &S::Difference, &TfrmMain::acnDifferenceExecute,
                            true);
  acnStopComparing = NewAction("acnStopComparing", "Stop comparing", "Charts", &S::StopComparing,
                               &TfrmMain::StopComparing);
  acnOpenHistory = NewAction("acnOpenHistory", "Open history...", "Statistics", &S::OpenHistory,
                             &TfrmMain::acnOpenHistoryExecute);
  // Ctrl+click on an entry takes it as the reference.
  pnlInputs->lbxStatistics->viewport()->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject *AWatched, QEvent *AEvent) {
  QListWidget *list = pnlInputs ? pnlInputs->lbxStatistics : nullptr;
  if (list && AWatched == list->viewport() && AEvent->type() == QEvent::MouseButtonPress) {
    auto *press = static_cast<QMouseEvent *>(AEvent);
    if (press->button() == Qt::LeftButton && press->modifiers().testFlag(Qt::ControlModifier)) {
      UpdateActions();
      const QListWidgetItem *item = list->itemAt(press->position().toPoint());
      if (item && acnCompareWith->isEnabled()) {
        TDrayData *reference = FSnapshotList.SnapshotAt(list->row(item));
        Guarded([this, reference] { CompareWith(reference); });
      }
      return true;  // the selection stays on the snapshot shown
    }
  }
  return QMainWindow::eventFilter(AWatched, AEvent);
}

void TfrmMain::acnCompareWithExecute() {
  const TDrayData *shown = GetSelectedDrayData();
  QStringList names;
  std::vector<TDrayData *> snapshots;
  int current = 0;
  for (const TSnapshotList::TEntry &entry : FSnapshotList.Entries()) {
    if (entry.Snapshot == shown)
      continue;
    if (entry.Snapshot == Reference())
      current = int(names.size());
    names << QString::fromStdString(entry.Name);
    snapshots.push_back(entry.Snapshot);
  }
  if (snapshots.empty())
    return;
  bool chosen = false;
  const QString name = QInputDialog::getItem(this, QStringLiteral("Compare with"), QStringLiteral("Reference snapshot:"),
                                             names, current, false, &chosen);
  if (chosen)
    CompareWith(snapshots[std::size_t(names.indexOf(name))]);
}

void TfrmMain::CompareWith(TDrayData *AReference) {
  if (!FComparison.CompareWith(AReference, GetSelectedDrayData()))
    return;
  FComparison.SetDifference(acnDifference->isChecked());
  FCharts->SetReference(FComparison.Reference(), FComparison.Difference());
  MarkReference();
  RedrawCharts();
}

void TfrmMain::StopComparing() {
  ForgetReference();
  RedrawCharts();
}

void TfrmMain::ForgetReference() {
  FComparison.Stop();
  acnDifference->setChecked(false);
  FCharts->SetReference(nullptr, false);
  MarkReference();
}

void TfrmMain::acnDifferenceExecute() {
  if (!Reference())
    return;
  FComparison.SetDifference(acnDifference->isChecked());
  FCharts->SetReference(FComparison.Reference(), FComparison.Difference());
  RedrawCharts();
}

// The reference's entry reads in italics.
void TfrmMain::MarkReference() {
  QListWidget *list = pnlInputs->lbxStatistics;
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem *item = list->item(i);
    QFont font = item->font();
    font.setItalic(Reference() && FSnapshotList.SnapshotAt(i) == Reference());
    item->setFont(font);
    item->setToolTip(font.italic() ? QStringLiteral("The reference the charts compare with") : QString());
  }
}

void TfrmMain::RedrawCharts() {
  TDrayData *shown = GetSelectedDrayData();
  DisplayChartData(nullptr);
  if (shown)
    DisplayChartData(shown);
}
