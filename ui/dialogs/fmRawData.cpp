#include "fmRawData.h"

TfrmRawData::TfrmRawData(QWidget *AOwner) : TRawWindow(AOwner, QSize(942, 560)) {
  setObjectName("frmRawData");
  setWindowTitle("Raw Data");
  pnlControls = new QWidget(this);
  pnlControls->setObjectName("pnlControls");
  PlaceMemos(pnlControls, true);
}

QString TfrmRawData::CaptionOf(TRawKind AKind) {
  switch (AKind) {
  case TRawKind::HLog:
    return "HLOG Raw Data";
  case TRawKind::QLN:
    return "QLN Raw Data";
  case TRawKind::SNR:
    return "SNR Raw Data";
  case TRawKind::Bins:
    break;
  }
  return "Raw Data";
}

TfrmRawData *TfrmRawData::ShowRaw(QWidget *AOwner, const TDrayData *AData, TRawKind AKind) {
  auto *window = new TfrmRawData(AOwner);
  window->setWindowTitle(CaptionOf(AKind));
  window->LoadFrom(AData, AKind);
  window->PlaceCascaded();
  window->show();
  return window;
}
