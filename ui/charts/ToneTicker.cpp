#include "ToneTicker.h"

#include <cmath>

#include "ToneStep.h"

TToneTicker::TToneTicker() {
  setScaleStrategy(ssNone);
}

// A 1, 2 or 5 times a power of ten MHz step that leaves at most MaxLabels
// labels in view, in tones.
double TToneTicker::FrequencyStep(double ARangeTones) const {
  constexpr double MaxLabels = 16;
  const double RangeMHz = ARangeTones * FSpacingHz / 1e6;
  double Decade = std::pow(10.0, std::floor(std::log10(std::max(RangeMHz / MaxLabels, 1e-6))));
  for (;; Decade *= 10)
    for (double Factor : {1.0, 2.0, 5.0})
      if (RangeMHz / (Factor * Decade) <= MaxLabels)
        return Factor * Decade * 1e6 / FSpacingHz;
}

double TToneTicker::getTickStep(const QCPRange &ARange) {
  FUsedStep = FSpacingHz > 0 ? FrequencyStep(ARange.size()) : VisibleToneStep(tickStep(), ARange.size());
  return FUsedStep;
}

int TToneTicker::getSubTickCount(double ATickStep) {
  if (FSpacingHz > 0)
    return 4;
  // Three minor ticks, but none between neighbouring tones.
  return ATickStep >= 4 ? 3 : std::max(0, int(ATickStep) - 1);
}

QString TToneTicker::getTickLabel(double ATick, const QLocale &, QChar, int) {
  // Number format "0": whole numbers, no grouping, no decimals; MHz with
  // as many decimals as the step needs (the tick is a step multiple, so
  // rounding to a micro-MHz only drops the division's noise).
  const QString text = FSpacingHz > 0 ? QString::number(std::round(ATick * FSpacingHz) / 1e6, 'g', 10)
                                      : QString::number(std::llround(ATick));
  if (!FAlternateRows)
    return text;
  const long long index = std::llround(ATick / FUsedStep);
  return (index % 2 != 0) ? QStringLiteral("\n") + text : text;
}
