#include "CableGauge.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<TCableGauge, 3> Gauges = {{{0.4, 19.4}, {0.5, 15.2}, {0.6, 13.0}}};

} // namespace

std::span<const TCableGauge> CableGauges() { return Gauges; }

std::optional<TCableGauge> FindCableGauge(double ADiameterMm) {
  for (const TCableGauge &Gauge : Gauges)
    if (std::fabs(Gauge.DiameterMm - ADiameterMm) < 0.005)
      return Gauge;
  return std::nullopt;
}
