#include "ToneTicker.h"

#include <cmath>

TToneTicker::TToneTicker() {
  setScaleStrategy(ssNone);
}

double TToneTicker::getTickStep(const QCPRange &ARange) {
  double step = tickStep() > 0 ? tickStep() : 1;
  // Zooming out past the designed range would otherwise draw hundreds of
  // labels on top of each other.
  const double ticks = ARange.size() / step;
  if (ticks > MaxTickCount)
    step *= std::ceil(ticks / MaxTickCount);
  FUsedStep = step;
  return step;
}

int TToneTicker::getSubTickCount(double) {
  return 3;
}

QString TToneTicker::getTickLabel(double ATick, const QLocale &, QChar, int) {
  // Number format "0": whole numbers, no grouping, no decimals.
  const QString text = QString::number(std::llround(ATick));
  if (!FAlternateRows)
    return text;
  const long long index = std::llround(ATick / FUsedStep);
  return (index % 2 != 0) ? QStringLiteral("\n") + text : text;
}
