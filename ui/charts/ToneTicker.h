#pragma once
// Tick placement of the charts: a fixed label step (thinned only when it
// would crowd the axis), whole-number labels laid out alternately on two rows
// so that dense tone axes stay readable, and three minor ticks per step.

#include <qcustomplot.h>

class TToneTicker : public QCPAxisTickerFixed {
public:
  TToneTicker();

  // Labels on every other tick go to a second row.
  void SetAlternateRows(bool AValue) { FAlternateRows = AValue; }
  bool AlternateRows() const { return FAlternateRows; }

  // The step that the last generated ticks used (a multiple of tickStep()).
  double UsedStep() const { return FUsedStep; }

  // More ticks than this on one axis are thinned to a multiple of the step.
  static constexpr int MaxTickCount = 48;

protected:
  double getTickStep(const QCPRange &ARange) override;
  int getSubTickCount(double ATickStep) override;
  QString getTickLabel(double ATick, const QLocale &ALocale, QChar AFormatChar, int APrecision) override;

private:
  bool FAlternateRows = true;
  double FUsedStep = 1;
};
