#include "CopperLoop.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double SpeedOfLightMps = 299792458;
constexpr double NeperPerDb = std::numbers::ln10 / 20;

} // namespace

TCopperLoop::TCopperLoop(TCableGauge AGauge, double ALengthM, double ATapLengthM, double AVelocityFactor)
    : FGauge(AGauge), FLengthM(ALengthM), FTapLengthM(ATapLengthM), FVelocityFactor(AVelocityFactor) {}

double TCopperLoop::VelocityMps() const { return FVelocityFactor * SpeedOfLightMps; }

// The loss follows the skin effect alone:
//   loss(f) = L_km * dB/km at 1 MHz * sqrt(f / 1 MHz).
// A real pair adds a small constant term and rises a little faster (k1 and
// an exponent k3 above one half in the cable table's source). We leave both
// out on purpose: the loop's electrical length kl0 (its loss at 1 MHz) is
// then exactly L_km * dB/km, and the law is the one a kl0 fit of HLog
// assumes, so a length estimated from our lines measures the estimate and
// not the difference between two cable models.
double TCopperLoop::LoopLossDb(double AMHz) const { return Kl0Db() * std::sqrt(std::max(AMHz, 0.0)); }

std::complex<double> TCopperLoop::PropagationPerM(double AMHz) const {
  const double Alpha = FGauge.DbPerKmAt1MHz / 1000 * std::sqrt(AMHz) * NeperPerDb;
  const double Beta = 2 * std::numbers::pi * AMHz * 1e6 / VelocityMps();
  return {Alpha, Beta};
}

// The tap is an open line of length Lt; seen from the junction its input
// impedance is Z_t = Z0 * coth(gamma * Lt). It sits in parallel with the
// continuing line, which we take as matched (Z0), so the junction sees
//   Z_p = Z0 * Z_t / (Z0 + Z_t),
// and the signal arriving from the exchange's side (source impedance Z0) is
// divided by 2 * Z_p / (Z_p + Z0): 1 without a tap. Z0 cancels out:
//   T = 2 / (2 + tanh(gamma * Lt)).
// Where beta * Lt is an odd multiple of pi/2 the open end's reflection comes
// back in opposition, tanh grows to coth(alpha * Lt) and T dips: notches at
// odd multiples of v / (4 * Lt), the deeper the lower the tap's loss. Far
// above the first notches the tap's loss smooths them out and T tends to 2/3
// (-3.5 dB). As the other segments are matched too, where the junction lies
// on the loop does not change |T|; we put it at the customer end, where
// in-house wiring branches off.
double TCopperLoop::TapGainDb(double AMHz) const {
  if (FTapLengthM <= 0 || AMHz <= 0)
    return 0;
  const std::complex<double> Transfer = 2.0 / (2.0 + std::tanh(PropagationPerM(AMHz) * FTapLengthM));
  return 20 * std::log10(std::abs(Transfer));
}

std::vector<double> TCopperLoop::NotchFrequenciesMHz(double AFromMHz, double AToMHz) const {
  std::vector<double> Notches;
  if (FTapLengthM <= 0)
    return Notches;
  const double FirstMHz = VelocityMps() / (4 * FTapLengthM) / 1e6;
  for (int Odd = 1; Odd * FirstMHz <= AToMHz; Odd += 2)
    if (Odd * FirstMHz >= AFromMHz)
      Notches.push_back(Odd * FirstMHz);
  return Notches;
}
