#pragma once
// The raw bins listing of one snapshot, upstream above downstream.

#include "RawWindow.h"

class TfrmRawBins : public TRawWindow {
  Q_OBJECT

public:
  explicit TfrmRawBins(QWidget *AOwner);

  QWidget *pnlGrid = nullptr;

  // What the "Show raw data..." button on the Bins tab does: a new window
  // owned by AOwner, filled from AData (which may be none), shown modeless.
  static TfrmRawBins *ShowBins(QWidget *AOwner, const TDrayData *AData);
};
