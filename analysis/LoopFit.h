#pragma once
// The loop's electrical length from its channel characteristic. A copper
// pair's insertion loss grows with the square root of frequency (skin
// effect), so HLog follows
//     HLog(f) = -(A0 + kl0 * sqrt(f / 1 MHz))   dB,
// with kl0 the loss at 1 MHz that the cable's length causes (the "electrical
// length" of G.997.1) and A0 a loss that does not depend on frequency. A0 is
// there for bridged taps: away from its notches a tap still takes one to
// three dB off the whole spectrum, and without A0 the fit would tilt to follow
// that and report the tap's loss as cable. On a line without a tap A0 comes
// out near 0 and the fit is the plain sqrt law.
//
// Notches (taps, the edges of bands) would pull the fit down, so the fit is
// robust: fit, leave out every point more than DropBelowDb below the fit,
// fit again, until no point changes side.
//
// Once a tap is known, its loss curve joins the fit as a third term,
//     HLog(f) = -(A0 + kl0 * sqrt(f / 1 MHz)) + a * TapLoss(f),
// so that the tap's rise towards its notches is no longer read as cable.

#include <optional>
#include <vector>

#include "Spectrum.h"

struct TLoopFit {
  double Kl0Db = 0;     // dB at 1 MHz
  double FlatLossDb = 0;  // A0
  double TapScale = 0;    // a; 0 without a tap term
  // HLog minus the fit at each point of the spectrum given, in its order:
  // near 0 on the cable's curve, negative in notches.
  std::vector<double> Residuals;
};

inline constexpr double DropBelowDb = 3.0;
// None when fewer than MinFitPoints points hold a value or they span too
// little of the spectrum to tell a slope.
// ATapLoss: the tap's loss in dB at each point, or empty for the cable alone.
std::optional<TLoopFit> FitLoop(const std::vector<TSpectrumPoint> &APoints, const std::vector<double> &ATapLoss = {});

inline constexpr int MinFitPoints = 16;
