#include "LoopFit.h"

#include <array>
#include <cmath>

namespace {

// HLog at a point as a sum of terms, y = c0 + c1 sqrt(f / 1 MHz) [+ c2 tap],
// so that A0 = -c0 and kl0 = -c1.
constexpr std::size_t MaxTerms = 3;
using TTerms = std::array<double, MaxTerms>;

TTerms TermsAt(const std::vector<TSpectrumPoint> &APoints, const std::vector<double> &ATapLoss, std::size_t AIndex) {
  return {1.0, std::sqrt(APoints[AIndex].FrequencyHz / 1e6), ATapLoss.empty() ? 0.0 : ATapLoss[AIndex]};
}

// Solves the normal equations by elimination; none when they are singular
// (too few points, or all at nearly one frequency).
std::optional<TTerms> Solve(std::array<TTerms, MaxTerms> AMatrix, TTerms ARight, std::size_t ATerms) {
  for (std::size_t Col = 0; Col < ATerms; ++Col) {
    std::size_t Pivot = Col;
    for (std::size_t Row = Col + 1; Row < ATerms; ++Row)
      if (std::fabs(AMatrix[Row][Col]) > std::fabs(AMatrix[Pivot][Col]))
        Pivot = Row;
    if (std::fabs(AMatrix[Pivot][Col]) < 1e-9 * (1 + std::fabs(AMatrix[0][0])))
      return std::nullopt;
    std::swap(AMatrix[Col], AMatrix[Pivot]);
    std::swap(ARight[Col], ARight[Pivot]);
    for (std::size_t Row = 0; Row < ATerms; ++Row) {
      if (Row == Col)
        continue;
      const double Factor = AMatrix[Row][Col] / AMatrix[Col][Col];
      for (std::size_t K = Col; K < ATerms; ++K)
        AMatrix[Row][K] -= Factor * AMatrix[Col][K];
      ARight[Row] -= Factor * ARight[Col];
    }
  }
  TTerms Solution{};
  for (std::size_t K = 0; K < ATerms; ++K)
    Solution[K] = ARight[K] / AMatrix[K][K];
  return Solution;
}

std::optional<TTerms> LeastSquares(const std::vector<TSpectrumPoint> &APoints, const std::vector<double> &ATapLoss,
                                   const std::vector<bool> &AKept) {
  const std::size_t Terms = ATapLoss.empty() ? 2 : 3;
  std::array<TTerms, MaxTerms> Matrix{};
  TTerms Right{};
  int Kept = 0;
  for (std::size_t I = 0; I < APoints.size(); ++I) {
    if (!AKept[I])
      continue;
    const TTerms Term = TermsAt(APoints, ATapLoss, I);
    for (std::size_t Row = 0; Row < Terms; ++Row) {
      for (std::size_t Col = 0; Col < Terms; ++Col)
        Matrix[Row][Col] += Term[Row] * Term[Col];
      Right[Row] += Term[Row] * APoints[I].Value;
    }
    ++Kept;
  }
  if (Kept < MinFitPoints)
    return std::nullopt;
  return Solve(Matrix, Right, Terms);
}

TLoopFit FitOf(const std::vector<TSpectrumPoint> &APoints, const std::vector<double> &ATapLoss, const TTerms &AFit) {
  TLoopFit Fit{-AFit[1], -AFit[0], AFit[2], {}};
  Fit.Residuals.reserve(APoints.size());
  for (std::size_t I = 0; I < APoints.size(); ++I) {
    const TTerms Term = TermsAt(APoints, ATapLoss, I);
    Fit.Residuals.push_back(APoints[I].Value - (AFit[0] * Term[0] + AFit[1] * Term[1] + AFit[2] * Term[2]));
  }
  return Fit;
}

} // namespace

std::optional<TLoopFit> FitLoop(const std::vector<TSpectrumPoint> &APoints, const std::vector<double> &ATapLoss) {
  std::vector<bool> Kept(APoints.size(), true);
  std::optional<TLoopFit> Fit;
  // Each round moves the fit up towards the cable's curve and a few rounds
  // settle it; the bound keeps a pathological input from cycling.
  for (int Round = 0; Round < 32; ++Round) {
    const std::optional<TTerms> Terms = LeastSquares(APoints, ATapLoss, Kept);
    if (!Terms)
      return Fit;
    Fit = FitOf(APoints, ATapLoss, *Terms);
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
