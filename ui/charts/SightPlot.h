#pragma once
// A plot that draws itself when it comes into sight. The window sets up seven
// tone charts and the timeline before the user sees any of them, and every
// change to a chart asks for a replot: drawn at once, the hidden ones made
// start-up a third slower and every new snapshot redrew pages nobody looked at.
// It also draws itself anew for a screen of another device pixel ratio.

#include <qcustomplot.h>

class TSightPlot : public QCustomPlot {
  Q_OBJECT
public:
  explicit TSightPlot(QWidget *AParent = nullptr);

  // A replot on the next turn of the event loop when the plot is in sight,
  // otherwise when it is next shown or painted (a picture taken of a hidden
  // plot is up to date). Any replot in between does for it.
  void QueueReplot();
  bool ReplotWaiting() const { return FReplotWaiting; }

protected:
  void showEvent(QShowEvent *AEvent) override;
  void paintEvent(QPaintEvent *AEvent) override;

private:
  void ReplotIfWaiting();

  bool FReplotWaiting = false;
};
