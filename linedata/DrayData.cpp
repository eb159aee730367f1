#include "DrayData.h"

#include <mutex>
#include <optional>

#include "MarkerSplit.h"
#include "RouterPatterns.h"

namespace {

constexpr const char *HLogUSMarker = " US: (dB)";
constexpr const char *HLogDSMarker = " DS: (dB)";
constexpr const char *QLNUSMarker = " US: (dBm/Hz)";
constexpr const char *QLNDSMarker = " DS: (dBm/Hz)";
constexpr const char *SNRUSMarker = " US: (dB)";
constexpr const char *SNRDSMarker = " DS: (dB)";

// Replaces one raw list under its kind's lock; the rebuild follows outside it.
void ReplaceRaw(TDrayLock &ALock, TTextLines &ARaw, const TTextLines &AValue) {
  TTextLines Copy = AValue;
  std::unique_lock Guard(ALock);
  ARaw.swap(Copy);
}

void SplitUnderLock(TDrayLock &ALock, const TTextLines &AData, const char *AUSMarker, const char *ADSMarker,
                    TTextLines &AUS, TTextLines &ADS) {
  std::unique_lock Guard(ALock);
  SplitAtMarkers(AData, AUSMarker, ADSMarker, AUS, ADS);
}

} // namespace

TDrayData::TDrayData() = default;

TDrayData::TDrayData(std::string AName) : FName(std::move(AName)) {}

TDrayData::~TDrayData() = default;

void TDrayData::Clear() {
  FStats.clear();
  {
    std::unique_lock Guard(FBinStatsLock);
    FBinStatsUSRaw.clear();
    FBinStatsDSRaw.clear();
  }
  {
    std::unique_lock Guard(FHLogLock);
    FHLogUSRaw.clear();
    FHLogDSRaw.clear();
  }
  {
    std::unique_lock Guard(FQLNLock);
    FQLNUSRaw.clear();
    FQLNDSRaw.clear();
  }
  std::unique_lock Guard(FSNRLock);
  FSNRUSRaw.clear();
  FSNRDSRaw.clear();
}

void TDrayData::AddStatData(const std::vector<std::string> &AHeader, const TTextLines *AData) {
  FStats.insert(FStats.end(), AHeader.begin(), AHeader.end());
  if (AData)
    FStats.insert(FStats.end(), AData->begin(), AData->end());
}

void TDrayData::IdentifyVDSLProfile(const TTextLines &Value) {
  const std::string Subject = TextOf(Value);
  TRegexMatch Match;
  if (!TRouterPatterns::Get().RunningMode.Search(Subject, 0, Match))
    throw EDrayDataError("Unable to retrieve profile from VDSL data");
  const std::string Name(Match.Group(1));
  const std::optional<TVDSLProfile> Profile = ProfileFromName(Name);
  if (!Profile)
    throw EDrayDataError("Unknown profile " + Name + " in VDSL data");
  FProfile = *Profile;
}

void TDrayData::SetStats(const TTextLines &AValue) {
  IdentifyVDSLProfile(AValue);
  FStats = AValue;
}

void TDrayData::SetHLogData(const TTextLines &AData) {
  FHLogMultipliers = ParseGroupSize(TextOf(AData));
  SplitUnderLock(FHLogLock, AData, HLogUSMarker, HLogDSMarker, FHLogUSRaw, FHLogDSRaw);
  ParseHLogStats(TDirection::Upstream);
  ParseHLogStats(TDirection::Downstream);
}

void TDrayData::SetQLNData(const TTextLines &AData) {
  FQLNMultipliers = ParseGroupSize(TextOf(AData));
  SplitUnderLock(FQLNLock, AData, QLNUSMarker, QLNDSMarker, FQLNUSRaw, FQLNDSRaw);
  ParseQLNStats(TDirection::Upstream);
  ParseQLNStats(TDirection::Downstream);
}

void TDrayData::SetSNRData(const TTextLines &AData) {
  FSNRMultipliers = ParseGroupSize(TextOf(AData));
  SplitUnderLock(FSNRLock, AData, SNRUSMarker, SNRDSMarker, FSNRUSRaw, FSNRDSRaw);
  ParseSNRStats(TDirection::Upstream);
  ParseSNRStats(TDirection::Downstream);
}

void TDrayData::SetBinStatsUSRaw(const TTextLines &AValue) {
  ReplaceRaw(FBinStatsLock, FBinStatsUSRaw, AValue);
  ParseBinStats(TDirection::Upstream);
}

void TDrayData::SetBinStatsDSRaw(const TTextLines &AValue) {
  ReplaceRaw(FBinStatsLock, FBinStatsDSRaw, AValue);
  ParseBinStats(TDirection::Downstream);
}

void TDrayData::SetHLogUSRaw(const TTextLines &AValue) {
  ReplaceRaw(FHLogLock, FHLogUSRaw, AValue);
  ParseHLogStats(TDirection::Upstream);
}

void TDrayData::SetHLogDSRaw(const TTextLines &AValue) {
  ReplaceRaw(FHLogLock, FHLogDSRaw, AValue);
  ParseHLogStats(TDirection::Downstream);
}

void TDrayData::SetQLNUSRaw(const TTextLines &AValue) {
  ReplaceRaw(FQLNLock, FQLNUSRaw, AValue);
  ParseQLNStats(TDirection::Upstream);
}

void TDrayData::SetQLNDSRaw(const TTextLines &AValue) {
  ReplaceRaw(FQLNLock, FQLNDSRaw, AValue);
  ParseQLNStats(TDirection::Downstream);
}

void TDrayData::SetSNRUSRaw(const TTextLines &AValue) {
  ReplaceRaw(FSNRLock, FSNRUSRaw, AValue);
  ParseSNRStats(TDirection::Upstream);
}

void TDrayData::SetSNRDSRaw(const TTextLines &AValue) {
  ReplaceRaw(FSNRLock, FSNRDSRaw, AValue);
  ParseSNRStats(TDirection::Downstream);
}
