#pragma once
// The copper of a subscriber loop, by conductor diameter. One table for the
// length estimate of the analysis and for the simulated router's line, so
// that both speak of the same cable.

#include <optional>
#include <span>

struct TCableGauge {
  double DiameterMm;
  // Loop attenuation at 1 MHz, dB per km. Taken from the attenuation model of
  // German local-loop cables with polyethylene insulation,
  //   a(f) = k1 + k2 * (f / 1 MHz)^k3   dB/km,
  // (Pollakowski and Wellhausen, "Eigenschaften symmetrischer
  // Ortsanschlusskabel im Frequenzbereich bis 30 MHz", 1995; the k parameters
  // are tabulated in LNTwww, "Properties of Balanced Copper Pairs"):
  //   0.4 mm: k1 5.1, k2 14.3;  0.5 mm: k1 4.4, k2 10.8;  0.6 mm: k1 3.8, k2 9.2.
  // At 1 MHz the attenuation is k1 + k2.
  double DbPerKmAt1MHz;
};

constexpr double DefaultGaugeMm = 0.5;
// How fast a signal runs along a polyethylene-insulated pair, as a part of
// the speed of light: the usual figure for such cable.
inline constexpr double DefaultVelocityFactor = 0.67;

std::span<const TCableGauge> CableGauges();
// The gauge of the table with this diameter (to 0.01 mm), none for others.
std::optional<TCableGauge> FindCableGauge(double ADiameterMm);
