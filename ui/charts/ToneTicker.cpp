#include "ToneTicker.h"

#include <cmath>

#include "ToneStep.h"

TToneTicker::TToneTicker() {
  setScaleStrategy(ssNone);
}

double TToneTicker::getTickStep(const QCPRange &ARange) {
  FUsedStep = VisibleToneStep(tickStep(), ARange.size());
  return FUsedStep;
}

int TToneTicker::getSubTickCount(double ATickStep) {
  // Three minor ticks, but none between neighbouring tones.
  return ATickStep >= 4 ? 3 : std::max(0, int(ATickStep) - 1);
}

QString TToneTicker::getTickLabel(double ATick, const QLocale &, QChar, int) {
  // Number format "0": whole numbers, no grouping, no decimals.
  const QString text = QString::number(std::llround(ATick));
  if (!FAlternateRows)
    return text;
  const long long index = std::llround(ATick / FUsedStep);
  return (index % 2 != 0) ? QStringLiteral("\n") + text : text;
}
