#pragma once
// What the two raw data windows share: a modeless top-level window owned by
// the main window, destroyed when closed, with an upstream and a downstream
// memo and a bottom strip holding "Close".

#include <QWidget>

#include "RawText.h"

class QFont;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The fixed-pitch face of the raw memos.
QFont RawTextFont();

class TRawWindow : public QWidget {
  Q_OBJECT

public:
  QWidget *pnlBottom = nullptr;
  QPushButton *btnClose = nullptr;
  QLabel *lblUpstream = nullptr;
  QLabel *lblDownstream = nullptr;
  QPlainTextEdit *memUS = nullptr;
  QPlainTextEdit *memDS = nullptr;

  // Fills the memos with this window's own copy of AData's raw text of
  // AKind; no snapshot (nullptr) leaves them empty.
  void LoadFrom(const TDrayData *AData, TRawKind AKind);

  // Moves the window over its owner, cascaded after the owner's raw windows
  // that are open already (call before showing it).
  void PlaceCascaded();

protected:
  TRawWindow(QWidget *AOwner, const QSize &AClientSize);
  // Puts the two labelled memos into AGrid, side by side or one above the other.
  void PlaceMemos(QWidget *AGrid, bool ASideBySide);

private:
  void btnCloseClick();
  QWidget *CreateBottomStrip();
};
