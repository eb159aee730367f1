#include "LineNoise.h"

#include <algorithm>
#include <cmath>

#include "ToneJitter.h"

namespace {

// The spread of a disturber's peak (standard deviation of its power, MHz).
// A carrier with its sidebands is a few kHz wide, but a DMT receiver's
// transform leaks it into the tones beside it; 10 kHz puts most of the rise
// into one QLN entry of 17A (8 tones, 34.5 kHz) and what remains into its
// neighbours.
constexpr double PeakSpreadMHz = 0.010;
// What the router can print: -150 means "no measurement" and the top of
// the reporting range is -23 dBm/Hz.
constexpr double LowestQLN = -149, HighestQLN = -23;

double PowerOf(double ADb) { return std::pow(10.0, ADb / 10); }

} // namespace

TLineNoise::TLineNoise(std::vector<TLineDisturber> ADisturbers, double AShiftDb)
    : FDisturbers(std::move(ADisturbers)), FShiftDb(AShiftDb) {}

// Far-end crosstalk and background noise: -120 dBm/Hz falling by 0.8 dB per
// MHz towards a -140 dBm/Hz background, with a little unevenness per tone.
double TLineNoise::FloorDbmHz(int ATone, double AMHz) const {
  const double Crosstalk = PowerOf(-120 - 0.8 * AMHz), Background = PowerOf(-140);
  return 10 * std::log10(Crosstalk + Background) + FShiftDb + 0.6 * ToneJitter(ATone, 2);
}

// A disturber adds its power to the floor: at its centre the noise stands
// RiseDb above the floor there, falling off as a Gaussian in power.
double TLineNoise::QLNDbmHz(int ATone, double AMHz) const {
  double Added = 0; // in parts of the floor's power
  for (const TLineDisturber &Disturber : FDisturbers) {
    const double Distance = (AMHz - Disturber.CentreMHz) / PeakSpreadMHz;
    if (std::fabs(Distance) < 8)
      Added += (PowerOf(Disturber.RiseDb) - 1) * std::exp(-Distance * Distance / 2);
  }
  return std::clamp(FloorDbmHz(ATone, AMHz) + 10 * std::log10(1 + Added), LowestQLN, HighestQLN);
}
