#pragma once
// The channel of the simulated line: a twisted pair of one gauge from the
// exchange to the customer, with an open branch (a bridged tap) at the
// customer end. Frequencies in MHz, attenuations and gains in dB.

#include <complex>
#include <vector>

#include "CableGauge.h"

class TCopperLoop {
public:
  // ATapLengthM 0: no tap. AVelocityFactor: the pair's speed of propagation
  // as a part of the speed of light.
  TCopperLoop(TCableGauge AGauge, double ALengthM, double ATapLengthM, double AVelocityFactor);

  double LengthM() const { return FLengthM; }
  const TCableGauge &Gauge() const { return FGauge; }
  double TapLengthM() const { return FTapLengthM; }
  double VelocityFactor() const { return FVelocityFactor; }
  double VelocityMps() const;

  // The loop's electrical length: its attenuation at 1 MHz.
  double Kl0Db() const { return FLengthM / 1000 * FGauge.DbPerKmAt1MHz; }
  // Attenuation of the main loop alone (positive).
  double LoopLossDb(double AMHz) const;
  // What the tap adds to the channel's gain: 0 without a tap, negative with.
  double TapGainDb(double AMHz) const;
  // The channel's gain, as HLog shows it: -LoopLossDb + TapGainDb.
  double HLogDb(double AMHz) const { return -LoopLossDb(AMHz) + TapGainDb(AMHz); }
  // Where the tap cuts its notches, AFromMHz to AToMHz both included:
  // the odd multiples of v / (4 * tap length). None without a tap.
  std::vector<double> NotchFrequenciesMHz(double AFromMHz, double AToMHz) const;

private:
  // gamma = alpha + j*beta of the pair, per metre.
  std::complex<double> PropagationPerM(double AMHz) const;

  TCableGauge FGauge;
  double FLengthM;
  double FTapLengthM;
  double FVelocityFactor;
};
