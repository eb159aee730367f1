#include "Finding.h"

#include <algorithm>
#include <cstdio>

#include "BandPlan.h"
#include "DrayData.h"
#include "GroupSizeCheck.h"
#include "LineAnalysis.h"

namespace {

template <typename... TArgs>
std::string Format(const char *AFormat, TArgs... AArgs) {
  char Text[256];
  std::snprintf(Text, sizeof Text, AFormat, AArgs...);
  return Text;
}

const char *DirectionName(TDirection ADirection) {
  return ADirection == TDirection::Upstream ? "Upstream" : "Downstream";
}

void AddTaps(const TLineAnalysis &AAnalysis, std::vector<TFinding> &AFindings) {
  for (const TBridgedTap &Tap : AAnalysis.BridgedTaps)
    AFindings.push_back({TFindingKind::BridgedTap, TSeverity::Warning,
                         Format("Bridged tap of about %.0f m: notches at odd multiples of %.2f MHz, the first "
                                "%.1f dB deep",
                                Tap.LengthM, Tap.FirstNotchHz / 1e6, Tap.DepthDb)});
}

void AddDisturbers(const TLineAnalysis &AAnalysis, std::vector<TFinding> &AFindings) {
  for (const TDisturber &Disturber : AAnalysis.Disturbers) {
    const std::string Where = Disturber.Band ? " in the " + *Disturber.Band + " band" : "";
    AFindings.push_back({TFindingKind::Disturber,
                         Disturber.RiseDb >= StrongDisturberDb ? TSeverity::Warning : TSeverity::Info,
                         Format("Disturber%s at %.2f MHz, %.1f dB above the noise around it", Where.c_str(),
                                Disturber.FrequencyHz / 1e6, Disturber.RiseDb)});
  }
}

void AddLowSNR(const TLineAnalysis &AAnalysis, std::vector<TFinding> &AFindings) {
  for (const TDirection Direction : DrayDirections)
    if (const auto &SNR = AAnalysis.SNR[Direction]; SNR && SNR->Mean < LowMeanSNRDb)
      AFindings.push_back({TFindingKind::LowSNR, TSeverity::Warning,
                           Format("%s mean SNR is low: %.1f dB (below %.0f dB)", DirectionName(Direction),
                                  SNR->Mean, LowMeanSNRDb)});
}

void AddLowMargin(const TLineAnalysis &AAnalysis, std::vector<TFinding> &AFindings) {
  for (const TDirection Direction : DrayDirections)
    if (const auto &Margin = AAnalysis.Reported.SNRMargin[Direction]; Margin && *Margin < LowMarginDb)
      AFindings.push_back({TFindingKind::LowMargin, TSeverity::Warning,
                           Format("%s SNR margin is low: %.1f dB (below %.0f dB)", DirectionName(Direction),
                                  *Margin, LowMarginDb)});
}

bool CarriesBits(const TDrayBinArray &ABins, const TPlanBand &ABand) {
  return std::any_of(ABins.begin() + ABand.FirstTone, ABins.begin() + ABand.LastTone + 1,
                     [](const TDrayBinEntry &ATone) { return ATone.ToneBits > 0; });
}

void AddEmptyBands(const TLineAnalysis &AAnalysis, const TDrayData &AData, std::vector<TFinding> &AFindings) {
  for (const TPlanBand &Band : BandPlanOf(AAnalysis.Profile))
    if (AAnalysis.Bits[Band.Direction] && !CarriesBits(AData.BinTable(Band.Direction), Band))
      AFindings.push_back({TFindingKind::EmptyBand,
                           std::string_view(Band.Name) == "US0" ? TSeverity::Info : TSeverity::Warning,
                           Format("Band %s (%s, tones %d to %d) has no tones loaded", Band.Name,
                                  Band.Direction == TDirection::Upstream ? "upstream" : "downstream",
                                  Band.FirstTone, Band.LastTone)});
}

void AddAttenuation(const TLineAnalysis &AAnalysis, std::vector<TFinding> &AFindings) {
  const std::optional<double> Ceiling = UsualKl0CeilingDb(AAnalysis.Profile);
  if (Ceiling && AAnalysis.Loop.Kl0Db && *AAnalysis.Loop.Kl0Db > *Ceiling)
    AFindings.push_back({TFindingKind::Attenuation, TSeverity::Warning,
                         Format("Loop attenuation kl0 %.1f dB is beyond the usual %.0f dB for profile %s",
                                *AAnalysis.Loop.Kl0Db, *Ceiling, ProfileName(AAnalysis.Profile))});
}

} // namespace

const char *FindingKindName(TFindingKind AKind) {
  switch (AKind) {
  case TFindingKind::BridgedTap: return "bridgedTap";
  case TFindingKind::Disturber: return "disturber";
  case TFindingKind::LowSNR: return "lowSnr";
  case TFindingKind::LowMargin: return "lowMargin";
  case TFindingKind::EmptyBand: return "emptyBand";
  case TFindingKind::Attenuation: return "attenuation";
  case TFindingKind::GroupSize: return "groupSize";
  }
  return "";
}

const char *SeverityName(TSeverity ASeverity) { return ASeverity == TSeverity::Warning ? "warning" : "info"; }

std::optional<double> UsualKl0CeilingDb(TVDSLProfile AProfile) {
  switch (AProfile) {
  case vp8a:
  case vp8b:
  case vp8c:
  case vp8d: return 45;
  case vp12a:
  case vp12b: return 30;
  case vp17a: return 23;
  case vp30a: return 9;
  case vp35b: return 12;
  default: return std::nullopt;
  }
}

std::vector<TFinding> FindingsOf(const TLineAnalysis &AAnalysis, const TDrayData &AData) {
  std::vector<TFinding> Findings;
  for (const TGroupSizeMisfit &Misfit : GroupSizeMisfits(AData))
    Findings.push_back(
        {TFindingKind::GroupSize, TSeverity::Warning, GroupSizeMisfitText(Misfit, AData.VDSLProfile())});
  AddTaps(AAnalysis, Findings);
  AddDisturbers(AAnalysis, Findings);
  AddLowSNR(AAnalysis, Findings);
  AddLowMargin(AAnalysis, Findings);
  AddEmptyBands(AAnalysis, AData, Findings);
  AddAttenuation(AAnalysis, Findings);
  return Findings;
}
