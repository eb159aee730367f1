#pragma once
// A bridged tap: an open branch of cable hanging off the loop. At the
// junction the branch puts its input impedance Zt = Z0 coth(gamma L) in
// parallel with the onward line (Z0), so the wave passing the junction is
// scaled by
//     H(f) = 2 Zt / (2 Zt + Z0) = 2 / (2 + tanh(gamma L)),
// gamma = alpha + j 2 pi f / v. Where the branch is an odd number of quarter
// wavelengths long its open end shows as a short at the junction: H has
// notches at odd multiples of v / (4 L), and none at the even ones. v is the
// velocity of propagation, a fraction (VOP, about 0.67 for polyethylene pairs)
// of the speed of light, and alpha the branch's own loss, which makes the
// notches shallower as frequency rises. So a comb of notches in the loop's
// HLog residual, at f1, 3 f1, 5 f1, ..., gives the branch's length
//     L = v / (4 f1).
//
// The search tries branch lengths over the whole range the spectrum can show
// (first notch below its top, notches far enough apart to be resolved by its
// points), fits the tap's loss curve to the residual at each and keeps the
// length it explains best; then checks that the notches it predicts are
// really in the measurement (thresholds beside the code).

#include <optional>
#include <vector>

#include "CableGauge.h"
#include "Spectrum.h"

inline constexpr double SpeedOfLight = 299792458.0;  // m/s

struct TBridgedTap {
  double FirstNotchHz = 0;
  double DepthDb = 0;   // of the first notch that the spectrum shows, below the line around it
  double LengthM = 0;
  bool operator==(const TBridgedTap &) const = default;
};

struct TTapSearch {
  double VelocityFactor = DefaultVelocityFactor;
  double DbPerKmAt1MHz = 0;  // the branch's cable, taken to be the loop's
};

// Where ATap cuts its notches, f1, 3 f1, 5 f1, ..., up to ATopHz: for marking
// them on a chart.
std::vector<double> NotchFrequencies(const TBridgedTap &ATap, double ATopHz);

// The loss of a branch of ALengthM at AFrequencyHz in dB (0 or negative).
double BridgedTapLossDb(double AFrequencyHz, double ALengthM, const TTapSearch &ASearch);
// The same at every point of ASpectrum.
std::vector<double> BridgedTapLossCurve(const std::vector<TSpectrumPoint> &ASpectrum, double ALengthM,
                                        const TTapSearch &ASearch);

// The tap whose notch comb stands in AResiduals (HLog less the loop's fit, at
// the points of ASpectrum); none on a line without one.
std::optional<TBridgedTap> FindBridgedTap(const std::vector<TSpectrumPoint> &ASpectrum,
                                          const std::vector<double> &AResiduals, const TTapSearch &ASearch);
