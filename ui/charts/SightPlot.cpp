#include "SightPlot.h"

#include <QCoreApplication>

TSightPlot::TSightPlot(QWidget *AParent) : QCustomPlot(AParent) {
  // The plot's constructor queued a first replot, as a call on the next turn
  // of the event loop; nothing else has been posted to a plot this new. That
  // replot waits for the plot to be seen like any other.
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  mReplotQueued = false;
  FReplotWaiting = true;
  connect(this, &QCustomPlot::afterReplot, this, [this] { FReplotWaiting = false; });
}

void TSightPlot::QueueReplot() {
  if (isVisible())
    replot(QCustomPlot::rpQueuedReplot);
  else
    FReplotWaiting = true;
}

void TSightPlot::showEvent(QShowEvent *AEvent) {
  QCustomPlot::showEvent(AEvent);
  ReplotIfWaiting();
}

// The plot's buffers are made for the device pixel ratio of the screen the
// plot was created on. Shown on a screen of another ratio (a window moved to
// a second monitor), they would be scaled and blur: drawn anew at the
// screen's own ratio instead, before this paint shows them.
void TSightPlot::paintEvent(QPaintEvent *AEvent) {
  const double Ratio = devicePixelRatioF();
  if (!qFuzzyCompare(bufferDevicePixelRatio(), Ratio)) {
    setBufferDevicePixelRatio(Ratio);
    FReplotWaiting = true;
  }
  ReplotIfWaiting();
  QCustomPlot::paintEvent(AEvent);
}

// Drawn now, so that the paint that follows the show has the new picture;
// the update that the replot asks for repaints it once more.
void TSightPlot::ReplotIfWaiting() {
  if (FReplotWaiting)
    replot(QCustomPlot::rpQueuedRefresh);
}
