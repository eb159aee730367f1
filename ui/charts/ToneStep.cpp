#include "ToneStep.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// The next smaller round step: half of an even step, else the next of
// 1, 2, 5, 10, 20, 50 ... below it.
double SmallerStep(double AStep) {
  if (std::fmod(AStep, 2) == 0)
    return AStep / 2;
  double decade = std::pow(10, std::floor(std::log10(AStep)));
  for (;; decade /= 10)
    for (double factor : {5.0, 2.0, 1.0})
      if (factor * decade < AStep)
        return std::max(1.0, factor * decade);
}

}  // namespace

double VisibleToneStep(double ABaseStep, double AVisible) {
  double step = ABaseStep > 0 ? ABaseStep : 1;
  const double ticks = AVisible / step;
  if (ticks > MaxToneLabels)
    return step * std::ceil(ticks / MaxToneLabels);
  while (step > 1 && AVisible / step < MinToneLabels)
    step = SmallerStep(step);
  return step;
}
