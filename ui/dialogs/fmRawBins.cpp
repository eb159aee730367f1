#include "fmRawBins.h"

TfrmRawBins::TfrmRawBins(QWidget *AOwner) : TRawWindow(AOwner, QSize(622, 515)) {
  setObjectName("frmRawBins");
  setWindowTitle("Raw bins data");
  pnlGrid = new QWidget(this);
  pnlGrid->setObjectName("pnlGrid");
  PlaceMemos(pnlGrid, false);
}

TfrmRawBins *TfrmRawBins::ShowBins(QWidget *AOwner, const TDrayData *AData) {
  auto *window = new TfrmRawBins(AOwner);
  window->LoadFrom(AData, TRawKind::Bins);
  window->PlaceCascaded();
  window->show();
  return window;
}
