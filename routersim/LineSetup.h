#pragma once
// What the simulated line is made of: the copper between the exchange and
// the router, a bridged tap on it, and the radio signals it picks up. The
// simulated router draws its answers from this, and tests set it to know
// what an analysis of those answers must find.

#include <optional>
#include <string>
#include <vector>

#include "CableGauge.h"
#include "VDSLProfile.h"

constexpr double DefaultDisturberRiseDb = 20;
// The top of the widest profile's spectrum: 8192 tones of 4.3125 kHz (35B).
constexpr double HighestDisturberMHz = 35.328;

// A narrow-band radio signal the loop picks up, like a broadcaster or an
// amateur station.
struct TLineDisturber {
  double CentreMHz = 0;
  double RiseDb = DefaultDisturberRiseDb; // the noise at the centre, above the floor there

  bool operator==(const TLineDisturber &) const = default;
};

struct TLineSetup {
  // The main loop, exchange to customer; none: the profile's usual length.
  std::optional<double> LoopLengthM;
  double GaugeMm = DefaultGaugeMm; // one of CableGauges()
  // An open branch bridged onto the loop at the customer end; 0: no tap.
  double TapLengthM = 0;
  // The speed of a signal on the pair, as a part of the speed of light.
  double VelocityFactor = DefaultVelocityFactor;
  std::vector<TLineDisturber> Disturbers;
  // Crosstalk that comes and goes with the neighbours' lines: the noise floor
  // this much above its usual level (SNR, bits and margin fall with it).
  double NoiseShiftDb = 0;

  bool operator==(const TLineSetup &) const = default;
};

// Loop lengths at which lines of this profile are typically sold, metres.
double UsualLoopLengthM(TVDSLProfile AProfile);

// The line the simulated router serves unless told otherwise: the usual loop
// with a 20 m tap (notches at 2.5, 7.5, 12.6 ... MHz, two of them even in
// 8A's band) and a station in the 40 m amateur band, so that a diagnosis of
// the line has something to say.
TLineSetup DemoLine();

// The line as it stands at the ACapture-th connection when it drifts: the
// crosstalk wanders by up to 3 dB either way, and a station in the 20 m
// amateur band is on the air at every other connection. The same for the
// same connection, so that tests can rely on it.
TLineSetup DriftedLine(const TLineSetup &ALine, int ACapture);

// Raises ETonegraphError when the setup is not a line the model can draw: a
// gauge outside the table, a negative length, a velocity factor outside
// (0, 1], a disturber outside 0 to HighestDisturberMHz or without a rise.
void CheckLineSetup(const TLineSetup &ALine);
// Raises ETonegraphError for a disturber outside 0 to HighestDisturberMHz or
// without a rise.
void CheckDisturber(const TLineDisturber &ADisturber);

// "loop 500 m of 0.5 mm, bridged tap 20 m, disturber 7.100 MHz +20 dB", for
// people.
std::string LineDescription(const TLineSetup &ALine, TVDSLProfile AProfile);
