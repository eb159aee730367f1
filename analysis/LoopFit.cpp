#include "LoopFit.h"

#include <cmath>

namespace {

// Least squares of the loss z = A0 + kl0 * x over the kept points, with
// x = sqrt(f / 1 MHz) and z = -HLog.
struct TLine {
  double FlatLoss = 0;
  double Slope = 0;
};

double RootMHz(const TSpectrumPoint &APoint) { return std::sqrt(APoint.FrequencyHz / 1e6); }

std::optional<TLine> LeastSquares(const std::vector<TSpectrumPoint> &APoints, const std::vector<bool> &AKept) {
  double N = 0, SumX = 0, SumZ = 0, SumXX = 0, SumXZ = 0;
  for (std::size_t I = 0; I < APoints.size(); ++I) {
    if (!AKept[I])
      continue;
    const double X = RootMHz(APoints[I]);
    const double Z = -APoints[I].Value;
    N += 1;
    SumX += X;
    SumZ += Z;
    SumXX += X * X;
    SumXZ += X * Z;
  }
  const double Spread = N * SumXX - SumX * SumX;
  // Points that all sit at nearly one frequency give no slope.
  if (N < MinFitPoints || Spread <= 1e-9 * N * N)
    return std::nullopt;
  TLine Line;
  Line.Slope = (N * SumXZ - SumX * SumZ) / Spread;
  Line.FlatLoss = (SumZ - Line.Slope * SumX) / N;
  return Line;
}

std::vector<double> ResidualsOf(const std::vector<TSpectrumPoint> &APoints, const TLine &ALine) {
  std::vector<double> Residuals;
  Residuals.reserve(APoints.size());
  for (const TSpectrumPoint &Point : APoints)
    Residuals.push_back(Point.Value + ALine.FlatLoss + ALine.Slope * RootMHz(Point));
  return Residuals;
}

} // namespace

std::optional<TLoopFit> FitLoop(const std::vector<TSpectrumPoint> &APoints) {
  std::vector<bool> Kept(APoints.size(), true);
  std::optional<TLoopFit> Fit;
  // Each round moves the fit up towards the cable's curve and a few rounds
  // settle it; the bound keeps a pathological input from cycling.
  for (int Round = 0; Round < 32; ++Round) {
    const std::optional<TLine> Line = LeastSquares(APoints, Kept);
    if (!Line)
      return Fit;
    Fit = TLoopFit{Line->Slope, Line->FlatLoss, ResidualsOf(APoints, *Line)};
    bool Changed = false;
    for (std::size_t I = 0; I < APoints.size(); ++I) {
      const bool Keep = Fit->Residuals[I] >= -DropBelowDb;
      Changed = Changed || Keep != Kept[I];
      Kept[I] = Keep;
    }
    if (!Changed)
      break;
  }
  return Fit;
}
