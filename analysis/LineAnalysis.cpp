#include "LineAnalysis.h"

#include <algorithm>
#include <cstdio>

#include "AnalysisError.h"
#include "DrayData.h"
#include "GroupSizeCheck.h"
#include "LoopFit.h"
#include "Spectrum.h"

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;

// A bins listing was read for the direction when its rebuild took a line.
bool HasBins(const TDrayData &AData, TDirection ADirection) {
  return AData.ParseCounts(TDrayKind::Bins, ADirection).LinesTaken > 0;
}

// A table whose group size does not fit the profile gives no spectrum: its
// figures would stand on tones the line does not have.
std::vector<TSpectrumPoint> SpectrumOfKind(const TDrayData &AData, TDrayKind AKind, TDirection ADirection,
                                           double AToneSpacingHz) {
  const int GroupSize = AData.Multipliers(AKind)[IndexOf(ADirection)];
  if (!GroupSizeFits(AData.StatTable(AKind, ADirection), GroupSize, AData.VDSLProfile()))
    return {};
  return SpectrumOf(AData.StatTable(AKind, ADirection), GroupSize, AToneSpacingHz);
}

void AddToneFigures(const TDrayData &AData, TLineAnalysis &AAnalysis) {
  for (const TDirection Direction : {US, DS}) {
    if (HasBins(AData, Direction))
      AAnalysis.Bits[Direction] = BitFiguresOf(AData.BinTable(Direction), AAnalysis.SymbolRate);
    AAnalysis.SNR[Direction] = SNRFiguresOf(AData.StatTable(TDrayKind::SNR, Direction));
  }
}

// kl0 and the length from the HLog of both directions, and a tap from what
// the cable's curve leaves.
void AddLoopAndTaps(const TDrayData &AData, const TAnalysisOptions &AOptions, TLineAnalysis &AAnalysis) {
  const TCableGauge Gauge = *FindCableGauge(AOptions.GaugeMm);
  AAnalysis.Loop.GaugeMm = Gauge.DiameterMm;
  AAnalysis.Loop.DbPerKmAt1MHz = Gauge.DbPerKmAt1MHz;
  const std::vector<TSpectrumPoint> HLog =
      MergedSpectrum(SpectrumOfKind(AData, TDrayKind::HLog, US, AAnalysis.ToneSpacingHz),
                     SpectrumOfKind(AData, TDrayKind::HLog, DS, AAnalysis.ToneSpacingHz));
  std::optional<TLoopFit> Fit = FitLoop(HLog);
  if (!Fit)
    return;
  // Near its notches a tap's loss rises steeply; with the tap's curve in
  // the fit, the cable's slope is fitted again without that tilt.
  const TTapSearch Search{AOptions.VelocityFactor, Gauge.DbPerKmAt1MHz};
  if (const std::optional<TBridgedTap> Tap = FindBridgedTap(HLog, Fit->Residuals, Search)) {
    AAnalysis.BridgedTaps.push_back(*Tap);
    if (std::optional<TLoopFit> Cable = FitLoop(HLog, BridgedTapLossCurve(HLog, Tap->LengthM, Search)))
      Fit = std::move(Cable);
  }
  AAnalysis.Loop.Kl0Db = Fit->Kl0Db;
  // HLog that does not fall with frequency is no cable of any length.
  if (Fit->Kl0Db > 0)
    AAnalysis.Loop.LengthM = Fit->Kl0Db / Gauge.DbPerKmAt1MHz * 1000;
}

void AddDisturbers(const TDrayData &AData, TLineAnalysis &AAnalysis) {
  for (const TDirection Direction : {US, DS}) {
    const int GroupSize = AData.Multipliers(TDrayKind::QLN)[IndexOf(Direction)];
    if (!GroupSizeFits(AData.StatTable(TDrayKind::QLN, Direction), GroupSize, AData.VDSLProfile()))
      continue;
    const std::vector<TDisturber> Found =
        FindDisturbers(AData.StatTable(TDrayKind::QLN, Direction), GroupSize, AAnalysis.ToneSpacingHz);
    AAnalysis.Disturbers.insert(AAnalysis.Disturbers.end(), Found.begin(), Found.end());
  }
  std::stable_sort(AAnalysis.Disturbers.begin(), AAnalysis.Disturbers.end(),
                   [](const TDisturber &A, const TDisturber &B) { return A.FrequencyHz < B.FrequencyHz; });
}

} // namespace

std::string CheckAnalysisOptions(const TAnalysisOptions &AOptions) {
  char Text[160];
  if (!FindCableGauge(AOptions.GaugeMm)) {
    std::snprintf(Text, sizeof Text, "no cable gauge of %g mm; the gauges are 0.4, 0.5 and 0.6 mm", AOptions.GaugeMm);
    return Text;
  }
  if (!(AOptions.VelocityFactor > 0 && AOptions.VelocityFactor <= 1)) {
    std::snprintf(Text, sizeof Text, "a velocity of propagation of %g is not a fraction of the speed of light",
                  AOptions.VelocityFactor);
    return Text;
  }
  return "";
}

TLineAnalysis AnalyzeLine(const TDrayData &AData, const TAnalysisOptions &AOptions) {
  if (const std::string Problem = CheckAnalysisOptions(AOptions); !Problem.empty())
    throw EAnalysisError(Problem);
  TLineAnalysis Analysis;
  Analysis.Profile = ProfileFromOrdinal(AData.VDSLProfile());
  Analysis.ToneSpacingHz = ToneSpacingHz(Analysis.Profile);
  Analysis.SymbolRate = DMTSymbolRate(Analysis.Profile);
  Analysis.Reported = ReadReportedFigures(AData.Stats());
  AddToneFigures(AData, Analysis);
  AddLoopAndTaps(AData, AOptions, Analysis);
  AddDisturbers(AData, Analysis);
  Analysis.Findings = FindingsOf(Analysis, AData);
  return Analysis;
}
