#pragma once
// The raw router text of the HLog, QLN or SNR table of one snapshot,
// upstream beside downstream.

#include "RawWindow.h"

class TfrmRawData : public TRawWindow {
  Q_OBJECT

public:
  explicit TfrmRawData(QWidget *AOwner);

  QWidget *pnlControls = nullptr;

  // "HLOG Raw Data", "QLN Raw Data" or "SNR Raw Data".
  static QString CaptionOf(TRawKind AKind);

  // What a "Show raw data..." button on the HLog, QLN or SNR tab does: a new
  // window owned by AOwner, captioned for AKind, filled from AData (which may
  // be none), shown modeless.
  static TfrmRawData *ShowRaw(QWidget *AOwner, const TDrayData *AData, TRawKind AKind);
};
