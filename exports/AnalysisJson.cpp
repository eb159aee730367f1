#include "AnalysisJson.h"

#include <cmath>

#include "JsonFigures.h"
#include "LineAnalysis.h"

namespace {

// Measured figures to a sensible precision: hundredths of a dB, tenths of a
// metre. Reported figures go out as the router printed them. Dividing by a
// power of ten gives the double nearest the short decimal, which the JSON
// writer then prints as just that.
double Rounded(double AValue, int ADecimals) {
  const double Scale = std::pow(10.0, ADecimals);
  return std::round(AValue * Scale) / Scale;
}

TJson RoundedOrNull(const std::optional<double> &AValue, int ADecimals) {
  return AValue ? TJson(Rounded(*AValue, ADecimals)) : TJson(nullptr);
}

TJson Reported(const TReportedFigures &AFigures) {
  TJson Bands = TJson::array();
  for (const TBandAttenuation &Band : AFigures.Bands)
    Bands.push_back({{"name", Band.Name}, {"latn", OrNull(Band.LATN)}, {"satn", OrNull(Band.SATN)}});
  return {{"state", OrNull(AFigures.State)},
          {"actualRate", Pair(AFigures.ActualRate)},
          {"attainableRate", Pair(AFigures.AttainableRate)},
          {"snrMargin", Pair(AFigures.SNRMargin)},
          {"attenuation", Pair(AFigures.Attenuation)},
          {"bands", Bands},
          {"counters", Counters(AFigures.Counters)}};
}

TJson Bits(const std::optional<TBitFigures> &ABits) {
  if (!ABits)
    return {{"tonesInUse", nullptr}, {"totalBits", nullptr}, {"maxBits", nullptr}, {"lineRate", nullptr}};
  return {{"tonesInUse", ABits->TonesInUse},
          {"totalBits", ABits->TotalBits},
          {"maxBits", ABits->MaxBits},
          {"lineRate", ABits->LineRate}};
}

TJson SNR(const std::optional<TSNRFigures> &ASNR) {
  if (!ASNR)
    return {{"mean", nullptr}, {"min", nullptr}};
  return {{"mean", Rounded(ASNR->Mean, 2)}, {"min", ASNR->Min}};
}

TJson Loop(const TLoopFigures &ALoop) {
  return {{"kl0", RoundedOrNull(ALoop.Kl0Db, 2)},
          {"gaugeMm", ALoop.GaugeMm},
          {"dbPerKmAt1MHz", ALoop.DbPerKmAt1MHz},
          {"lengthM", RoundedOrNull(ALoop.LengthM, 1)}};
}

TJson Taps(const std::vector<TBridgedTap> &ATaps) {
  TJson Taps = TJson::array();
  for (const TBridgedTap &Tap : ATaps)
    Taps.push_back({{"firstNotchHz", Rounded(Tap.FirstNotchHz, 0)},
                    {"depthDb", Rounded(Tap.DepthDb, 2)},
                    {"lengthM", Rounded(Tap.LengthM, 1)}});
  return Taps;
}

TJson Disturbers(const std::vector<TDisturber> &ADisturbers) {
  TJson Disturbers = TJson::array();
  for (const TDisturber &D : ADisturbers)
    Disturbers.push_back({{"tone", D.Tone},
                          {"frequencyHz", D.FrequencyHz},
                          {"riseDb", Rounded(D.RiseDb, 2)},
                          {"band", OrNull(D.Band)}});
  return Disturbers;
}

TJson Findings(const std::vector<TFinding> &AFindings) {
  TJson Findings = TJson::array();
  for (const TFinding &F : AFindings)
    Findings.push_back({{"kind", FindingKindName(F.Kind)}, {"severity", SeverityName(F.Severity)}, {"text", F.Text}});
  return Findings;
}

} // namespace

std::string AnalysisJson(const TLineAnalysis &AAnalysis) {
  TJson Json;
  Json["profile"] = ProfileName(AAnalysis.Profile);
  Json["toneSpacingHz"] = AAnalysis.ToneSpacingHz;
  Json["symbolRate"] = AAnalysis.SymbolRate;
  Json["reported"] = Reported(AAnalysis.Reported);
  Json["bits"] = {{"us", Bits(AAnalysis.Bits.US)}, {"ds", Bits(AAnalysis.Bits.DS)}};
  Json["snr"] = {{"us", SNR(AAnalysis.SNR.US)}, {"ds", SNR(AAnalysis.SNR.DS)}};
  Json["loop"] = Loop(AAnalysis.Loop);
  Json["bridgedTaps"] = Taps(AAnalysis.BridgedTaps);
  Json["disturbers"] = Disturbers(AAnalysis.Disturbers);
  Json["findings"] = Findings(AAnalysis.Findings);
  return Json.dump();
}
