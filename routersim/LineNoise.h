#pragma once
// The quiet-line noise of the simulated line: a floor of crosstalk and
// background noise, and the narrow peaks of the radio signals it picks up.

#include <vector>

#include "LineSetup.h"

class TLineNoise {
public:
  explicit TLineNoise(std::vector<TLineDisturber> ADisturbers, double AShiftDb = 0);

  const std::vector<TLineDisturber> &Disturbers() const { return FDisturbers; }
  // dBm/Hz at tone ATone, which lies at AMHz.
  double FloorDbmHz(int ATone, double AMHz) const;
  // The floor with every disturber's peak on it, within what the router
  // can report.
  double QLNDbmHz(int ATone, double AMHz) const;

private:
  std::vector<TLineDisturber> FDisturbers;
  double FShiftDb = 0;
};
