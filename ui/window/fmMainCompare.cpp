// The main window's comparison: a reference snapshot drawn beside the one
// shown, or the difference from it.

#include <QEvent>
#include <QInputDialog>
#include <QListWidget>
#include <QMouseEvent>

#include "DrayData.h"
#include "InputPanel.h"
#include "StatListSelection.h"
#include "fmMain.h"

void TfrmMain::CreateCompareActions() {
  acnCompareWith = new QAction(QStringLiteral("Compare with..."), this);
  acnCompareWith->setObjectName(QStringLiteral("acnCompareWith"));
  connect(acnCompareWith, &QAction::triggered, this, [this] { Guarded([this] { acnCompareWithExecute(); }); });
  acnDifference = new QAction(QStringLiteral("Difference"), this);
  acnDifference->setObjectName(QStringLiteral("chkDifference"));
  acnDifference->setCheckable(true);
  connect(acnDifference, &QAction::toggled, this, [this] { Guarded([this] { acnDifferenceExecute(); }); });
  acnStopComparing = new QAction(QStringLiteral("Stop comparing"), this);
  acnStopComparing->setObjectName(QStringLiteral("acnStopComparing"));
  connect(acnStopComparing, &QAction::triggered, this, [this] { Guarded([this] { StopComparing(); }); });
  acnOpenHistory = new QAction(QStringLiteral("Open history..."), this);
  acnOpenHistory->setObjectName(QStringLiteral("acnOpenHistory"));
  connect(acnOpenHistory, &QAction::triggered, this, [this] { Guarded([this] { acnOpenHistoryExecute(); }); });
  // Ctrl+click on an entry takes it as the reference.
  pnlInputs->lbxStatistics->viewport()->installEventFilter(this);
}

void TfrmMain::UpdateCompareActions() {
  const bool idle = !ReaderRunning();
  acnCompareWith->setEnabled(idle && GetSelectedDrayData() && FDrayDataList->Count() >= 2);
  acnDifference->setEnabled(idle && Reference());
  acnStopComparing->setEnabled(idle && Reference());
  acnOpenHistory->setEnabled(idle);
}

bool TfrmMain::eventFilter(QObject *AWatched, QEvent *AEvent) {
  QListWidget *list = pnlInputs ? pnlInputs->lbxStatistics : nullptr;
  if (list && AWatched == list->viewport() && AEvent->type() == QEvent::MouseButtonPress) {
    auto *press = static_cast<QMouseEvent *>(AEvent);
    if (press->button() == Qt::LeftButton && press->modifiers().testFlag(Qt::ControlModifier)) {
      UpdateActions();
      if (QListWidgetItem *item = list->itemAt(press->position().toPoint());
          item && acnCompareWith->isEnabled())
        Guarded([this, item] { CompareWith(SnapshotOf(item)); });
      return true;  // the selection stays on the snapshot shown
    }
  }
  return QMainWindow::eventFilter(AWatched, AEvent);
}

void TfrmMain::acnCompareWithExecute() {
  TDrayData *shown = GetSelectedDrayData();
  QListWidget *list = pnlInputs->lbxStatistics;
  QStringList names;
  std::vector<TDrayData *> snapshots;
  for (int i = 0; i < list->count(); ++i) {
    TDrayData *snapshot = SnapshotOf(list->item(i));
    if (snapshot == shown)
      continue;
    names << list->item(i)->text();
    snapshots.push_back(snapshot);
  }
  if (snapshots.empty())
    return;
  const int current = int(std::find(snapshots.begin(), snapshots.end(), Reference()) - snapshots.begin());
  bool chosen = false;
  const QString name = QInputDialog::getItem(this, QStringLiteral("Compare with"), QStringLiteral("Reference snapshot:"),
                                             names, current < int(snapshots.size()) ? current : 0, false, &chosen);
  if (chosen)
    CompareWith(snapshots[std::size_t(names.indexOf(name))]);
}

void TfrmMain::CompareWith(TDrayData *AReference) {
  if (!AReference || AReference == GetSelectedDrayData())
    return;
  FCharts->SetReference(AReference, acnDifference->isChecked());
  MarkReference();
  RedrawCharts();
}

void TfrmMain::StopComparing() {
  ForgetReference();
  RedrawCharts();
}

void TfrmMain::ForgetReference() {
  {
    const QSignalBlocker blocker(acnDifference);
    acnDifference->setChecked(false);
  }
  FCharts->SetReference(nullptr, false);
  MarkReference();
}

void TfrmMain::acnDifferenceExecute() {
  if (!Reference())
    return;
  FCharts->SetReference(Reference(), acnDifference->isChecked());
  RedrawCharts();
}

// The reference's entry reads in italics.
void TfrmMain::MarkReference() {
  QListWidget *list = pnlInputs->lbxStatistics;
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem *item = list->item(i);
    QFont font = item->font();
    font.setItalic(Reference() && SnapshotOf(item) == Reference());
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
