#include "DrayData.h"

#include <mutex>
#include <optional>
#include <utility>

#include "MarkerSplit.h"
#include "RouterPatterns.h"

namespace {

struct TMarkers {
  const char *US;
  const char *DS;
};

// The lines that head the two directions of an HLog, QLN and SNR answer.
constexpr std::array<TMarkers, DrayStatKindCount> StatMarkers = {
    {{" US: (dB)", " DS: (dB)"}, {" US: (dBm/Hz)", " DS: (dBm/Hz)"}, {" US: (dB)", " DS: (dB)"}}};

} // namespace

TDrayData::TDrayData() = default;

TDrayData::TDrayData(std::string AName) : FName(std::move(AName)) {}

TDrayData::~TDrayData() = default;

const TDrayRawText &TDrayData::RawText(TDrayKind AKind) const {
  if (AKind == TDrayKind::Bins)
    return FBins;
  return StatKind(AKind);
}

TDrayRawText &TDrayData::RawText(TDrayKind AKind) {
  return const_cast<TDrayRawText &>(std::as_const(*this).RawText(AKind));
}

// The bins kind has no "bin=" table: at() refuses it.
const TDrayData::TStatKindState &TDrayData::StatKind(TDrayKind AKind) const { return FStatKinds.at(IndexOf(AKind)); }

TDrayData::TStatKindState &TDrayData::StatKind(TDrayKind AKind) { return FStatKinds.at(IndexOf(AKind)); }

const TDrayStatArray &TDrayData::StatTable(TDrayKind AKind, TDirection ADirection) const {
  return StatKind(AKind).Tables[IndexOf(ADirection)];
}

TStatMultipliers TDrayData::Multipliers(TDrayKind AKind) const { return FMultipliers.at(IndexOf(AKind)); }

TParseCounts TDrayData::ParseCounts(TDrayKind AKind, TDirection ADirection) const {
  return RawText(AKind).Counts[IndexOf(ADirection)];
}

TParseCounts TDrayData::KindCounts(TDrayKind AKind) const {
  TParseCounts Sum;
  for (const TParseCounts &Counts : RawText(AKind).Counts)
    Sum += Counts;
  return Sum;
}

const TTextLines &TDrayData::Raw(TDrayKind AKind, TDirection ADirection) const {
  return RawText(AKind).Lines[IndexOf(ADirection)];
}

void TDrayData::ReplaceRaw(TDrayKind AKind, TDirection ADirection, TTextLines ALines) {
  TDrayRawText &Text = RawText(AKind);
  std::unique_lock Guard(Text.Lock);
  Text.Lines[IndexOf(ADirection)].swap(ALines);
}

// The rebuild follows outside the exclusive hold: it takes the lock shared.
void TDrayData::SetRaw(TDrayKind AKind, TDirection ADirection, const TTextLines &AValue) {
  const TRawBackup Before = BackUpRaw(AKind);
  ReplaceRaw(AKind, ADirection, AValue);
  RebuildOrRestore(AKind, Before, {ADirection});
}

TDrayData::TRawBackup TDrayData::BackUpRaw(TDrayKind AKind) const {
  const TDrayRawText &Text = RawText(AKind);
  std::shared_lock Guard(Text.Lock);
  TRawBackup Backup{Text.Lines, {}, {}, {}};
  if (AKind == TDrayKind::Bins) {
    Backup.BinTables.assign(FBins.Tables.begin(), FBins.Tables.end());
  } else {
    Backup.Groups = FMultipliers[IndexOf(AKind)];
    const TStatKindState &State = StatKind(AKind);
    Backup.StatTables.assign(State.Tables.begin(), State.Tables.end());
  }
  return Backup;
}

// A raw text whose table cannot be built would be saved as it is and then
// refuse to load. So it is not kept: the kind goes back to the text it had
// (whose tables were built), and the failure passes on to whoever set it.
void TDrayData::RebuildOrRestore(TDrayKind AKind, const TRawBackup &ABefore,
                                 std::initializer_list<TDirection> ADirections) {
  try {
    for (const TDirection Direction : ADirections)
      Rebuild(AKind, Direction);
  } catch (...) {
    if (AKind != TDrayKind::Bins)
      FMultipliers[IndexOf(AKind)] = ABefore.Groups;
    for (const TDirection Direction : ADirections) {
      const std::size_t Index = IndexOf(Direction);
      ReplaceRaw(AKind, Direction, ABefore.Lines[Index]);
      if (AKind == TDrayKind::Bins)
        FBins.Tables[Index] = ABefore.BinTables[Index];
      else
        StatKind(AKind).Tables[Index] = ABefore.StatTables[Index];
    }
    throw;
  }
}

void TDrayData::Clear() {
  FStats.clear();
  for (const TDrayKind Kind : DrayKinds) {
    TDrayRawText &Text = RawText(Kind);
    std::unique_lock Guard(Text.Lock);
    for (TTextLines &Lines : Text.Lines)
      Lines.clear();
  }
}

void TDrayData::AddStatData(const std::vector<std::string> &AHeader, const TTextLines *AData) {
  FStats.Append(AHeader.begin(), AHeader.end());
  if (AData)
    FStats.Append(*AData);
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

// The raw lists are appended to: a second answer without Clear adds its lines.
void TDrayData::SetStatData(TDrayKind AKind, const TTextLines &AData) {
  TStatKindState &State = StatKind(AKind);
  const TMarkers &Markers = StatMarkers[IndexOf(AKind)];
  const TRawBackup Before = BackUpRaw(AKind);
  FMultipliers[IndexOf(AKind)] = ParseGroupSize(TextOf(AData));
  {
    std::unique_lock Guard(State.Lock);
    SplitAtMarkers(AData, Markers.US, Markers.DS, State.Lines[0], State.Lines[1]);
  }
  RebuildOrRestore(AKind, Before, {TDirection::Upstream, TDirection::Downstream});
}
