#include "BridgedTap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double NepersPerDb = 1 / 8.685889638;
// Lengths tried: 2 % apart over the whole range, then 0.1 % apart around the best.
constexpr double CoarseStep = 1.02;
constexpr double FineStep = 1.001;
// Notches must be this far apart in points of the spectrum to be told from noise.
constexpr double PointsPerNotchSpacing = 4;
// A notch counts where the measurement dips this far below the line around it.
constexpr double MinNotchDepthDb = 3;
// Points within this fraction of f1 of a notch's frequency belong to it.
constexpr double NotchWindow = 0.2;
// The first few notches decide; far up the branch's loss flattens them.
constexpr int NotchesChecked = 6;
// The fitted loss curve may be this much shallower or deeper than the model's
// (the branch's gauge and the line's termination are guesses). A curve scaled
// down further is no tap: a slow ripple of a few dB (impedance mismatches
// along the loop) matches a short tap's comb at a quarter of its depth.
constexpr double MinScale = 0.5, MaxScale = 4;

struct TCandidate {
  double LengthM = 0;
  double Score = 0;  // how much of the residual's square sum the tap explains
  double Scale = 0;  // residual ~ Scale * loss + Offset
  double Offset = 0;
};

double Velocity(const TTapSearch &ASearch) { return ASearch.VelocityFactor * SpeedOfLight; }

TCandidate Fitted(const std::vector<TSpectrumPoint> &ASpectrum, const std::vector<double> &AResiduals,
                  double ALengthM, const TTapSearch &ASearch) {
  const std::vector<double> Loss = BridgedTapLossCurve(ASpectrum, ALengthM, ASearch);
  const double N = static_cast<double>(Loss.size());
  double MeanLoss = 0, MeanResidual = 0;
  for (std::size_t I = 0; I < Loss.size(); ++I) {
    MeanLoss += Loss[I] / N;
    MeanResidual += AResiduals[I] / N;
  }
  double Covariance = 0, Variance = 0;
  for (std::size_t I = 0; I < Loss.size(); ++I) {
    Covariance += (Loss[I] - MeanLoss) * (AResiduals[I] - MeanResidual);
    Variance += (Loss[I] - MeanLoss) * (Loss[I] - MeanLoss);
  }
  TCandidate Candidate{ALengthM};
  if (Variance <= 0)
    return Candidate;
  Candidate.Scale = Covariance / Variance;
  Candidate.Offset = MeanResidual - Candidate.Scale * MeanLoss;
  // Only a branch of physical depth competes, so that a ripple's best match
  // cannot hide the tap behind it.
  if (Candidate.Scale >= MinScale && Candidate.Scale <= MaxScale)
    Candidate.Score = Covariance * Covariance / Variance;
  return Candidate;
}

double MedianSpacing(const std::vector<TSpectrumPoint> &ASpectrum) {
  std::vector<double> Steps;
  for (std::size_t I = 1; I < ASpectrum.size(); ++I)
    if (const double Step = ASpectrum[I].FrequencyHz - ASpectrum[I - 1].FrequencyHz; Step > 0)
      Steps.push_back(Step);
  if (Steps.empty())
    return 0;
  std::nth_element(Steps.begin(), Steps.begin() + Steps.size() / 2, Steps.end());
  return Steps[Steps.size() / 2];
}

TCandidate BestOf(const std::vector<TSpectrumPoint> &ASpectrum, const std::vector<double> &AResiduals,
                  double AShortest, double ALongest, double AStep, const TTapSearch &ASearch) {
  TCandidate Best;
  for (double Length = AShortest; Length <= ALongest; Length *= AStep)
    if (const TCandidate Tried = Fitted(ASpectrum, AResiduals, Length, ASearch); Tried.Score > Best.Score)
      Best = Tried;
  return Best;
}

double Median(std::vector<double> AValues) {
  std::nth_element(AValues.begin(), AValues.begin() + AValues.size() / 2, AValues.end());
  return AValues[AValues.size() / 2];
}

// What the first notches of a candidate look like in the measurement.
struct TNotchCheck {
  int Expected = 0;  // notches the fitted curve makes at least MinNotchDepthDb deep
  int Found = 0;     // of those, the ones the residual dips as deep at
  double FirstDepthDb = 0;
};

TNotchCheck CheckNotches(const std::vector<TSpectrumPoint> &ASpectrum, const std::vector<double> &AResiduals,
                         const TCandidate &ATap, double AFirstNotchHz, const TTapSearch &ASearch) {
  const std::vector<double> Loss = BridgedTapLossCurve(ASpectrum, ATap.LengthM, ASearch);
  // The line's level where the branch takes nothing off.
  std::vector<double> Clear;
  for (std::size_t I = 0; I < Loss.size(); ++I)
    if (Loss[I] > -1)
      Clear.push_back(AResiduals[I]);
  const double Level = Clear.empty() ? ATap.Offset : Median(Clear);
  TNotchCheck Check;
  int Seen = 0;
  const double Top = ASpectrum.back().FrequencyHz;
  for (int Odd = 1; Seen < NotchesChecked && (Odd - NotchWindow) * AFirstNotchHz <= Top; Odd += 2) {
    double Predicted = 0, Measured = 0;
    bool Any = false;
    for (std::size_t I = 0; I < ASpectrum.size(); ++I)
      if (std::fabs(ASpectrum[I].FrequencyHz - Odd * AFirstNotchHz) <= NotchWindow * AFirstNotchHz) {
        Any = true;
        Predicted = std::max(Predicted, -ATap.Scale * Loss[I]);
        Measured = std::max(Measured, Level - AResiduals[I]);
      }
    if (!Any)
      continue;
    if (Seen++ == 0)
      Check.FirstDepthDb = Measured;
    if (Predicted >= MinNotchDepthDb) {
      ++Check.Expected;
      Check.Found += Measured >= MinNotchDepthDb;
    }
  }
  return Check;
}

// Two thirds of the notches that the fitted curve makes deep enough to see
// must be in the measurement; on a short branch that may be its one notch.
bool Confirmed(const TCandidate &ATap, const TNotchCheck &ACheck) {
  return ATap.Score > 0 && ACheck.Expected >= 1 && 3 * ACheck.Found >= 2 * ACheck.Expected;
}

} // namespace

std::vector<double> NotchFrequencies(const TBridgedTap &ATap, double ATopHz) {
  std::vector<double> Notches;
  for (int Odd = 1; ATap.FirstNotchHz > 0 && Odd * ATap.FirstNotchHz <= ATopHz; Odd += 2)
    Notches.push_back(Odd * ATap.FirstNotchHz);
  return Notches;
}

double BridgedTapLossDb(double AFrequencyHz, double ALengthM, const TTapSearch &ASearch) {
  const double Alpha = ASearch.DbPerKmAt1MHz * std::sqrt(AFrequencyHz / 1e6) * NepersPerDb / 1000;  // Np/m
  const double Beta = 2 * M_PI * AFrequencyHz / Velocity(ASearch);                                     // rad/m
  // tanh(a + jb) = (sinh 2a + j sin 2b) / (cosh 2a + cos 2b), so that
  // |2 / (2 + tanh)|^2 = 4 D^2 / ((2 D + sinh 2a)^2 + sin^2 2b), D = cosh 2a + cos 2b:
  // one logarithm and no complex division in the search's inner loop.
  const double TwoA = 2 * Alpha * ALengthM, TwoB = 2 * Beta * ALengthM;
  const double Grow = std::exp(TwoA), Shrink = 1 / Grow;
  const double D = (Grow + Shrink) / 2 + std::cos(TwoB);
  const double Real = 2 * D + (Grow - Shrink) / 2, Imaginary = std::sin(TwoB);
  return 10 * std::log10(4 * D * D / (Real * Real + Imaginary * Imaginary));
}

std::vector<double> BridgedTapLossCurve(const std::vector<TSpectrumPoint> &ASpectrum, double ALengthM,
                                        const TTapSearch &ASearch) {
  std::vector<double> Loss;
  Loss.reserve(ASpectrum.size());
  for (const TSpectrumPoint &Point : ASpectrum)
    Loss.push_back(BridgedTapLossDb(Point.FrequencyHz, ALengthM, ASearch));
  return Loss;
}

std::optional<TBridgedTap> FindBridgedTap(const std::vector<TSpectrumPoint> &ASpectrum,
                                          const std::vector<double> &AResiduals, const TTapSearch &ASearch) {
  const double Spacing = MedianSpacing(ASpectrum);
  if (Spacing <= 0 || ASpectrum.size() != AResiduals.size())
    return std::nullopt;
  const double V = Velocity(ASearch);
  // The first notch below the top of the spectrum; notches 2 f1 apart.
  const double Shortest = V / (4 * ASpectrum.back().FrequencyHz);
  const double Longest = V / (4 * (PointsPerNotchSpacing / 2) * Spacing);
  TCandidate Best = BestOf(ASpectrum, AResiduals, Shortest, Longest, CoarseStep, ASearch);
  if (Best.Score <= 0)
    return std::nullopt;
  Best = BestOf(ASpectrum, AResiduals, Best.LengthM / CoarseStep, Best.LengthM * CoarseStep, FineStep, ASearch);
  const double FirstNotch = V / (4 * Best.LengthM);
  const TNotchCheck Check = CheckNotches(ASpectrum, AResiduals, Best, FirstNotch, ASearch);
  if (!Confirmed(Best, Check))
    return std::nullopt;
  return TBridgedTap{FirstNotch, Check.FirstDepthDb, Best.LengthM};
}
