// The rebuilds of the tables from their raw text and the line parsers.
#include <mutex>
#include <shared_mutex>

#include "DrayData.h"
#include "IntegerText.h"
#include "RouterPatterns.h"

namespace {

using TLineParser = void (*)(std::string_view, TDrayStatArray &, TRegexMatch &);

// QLN marks a group without a value with -150.
constexpr std::int32_t QLNNoValue = -150;

void ParseStatLine(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch, bool ANullForNoValue) {
  if (!TRouterPatterns::Get().StatLine.Search(ALine, 0, AMatch))
    return;
  const std::int64_t Start = TextToInt(AMatch.Group(1));
  // Groups after the highest one that took part keep what they had.
  const int Highest = AMatch.HighestGroup();
  for (int Group = 2; Group <= Highest; ++Group) {
    const std::int64_t Index = Start + Group - 2;
    const std::string_view Text = AMatch.Group(Group);
    TStatValue Value = TStatValue::Null();
    if (!Text.empty()) {
      const std::int32_t Number = TextToInt(Text);
      if (!(ANullForNoValue && Number == QLNNoValue))
        Value = TStatValue::Of(Number);
    }
    // A group number past the table has no place in it.
    if (Index >= 0 && Index < DrayStatCount)
      ATable[static_cast<std::size_t>(Index)] = Value;
  }
}

void ParseHLogOrSNRLine(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch) {
  ParseStatLine(ALine, ATable, AMatch, false);
}

void ParseQLNLineWith(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch) {
  ParseStatLine(ALine, ATable, AMatch, true);
}

void ParseBinsLineWith(std::string_view ALine, TDrayBinArray &ATable, TRegexMatch &AMatch) {
  const TRegex &Pattern = TRouterPatterns::Get().BinsLine;
  std::size_t From = 0;
  while (From <= ALine.size() && Pattern.Search(ALine, From, AMatch)) {
    From = AMatch.End();
    const auto Tone = static_cast<std::uint16_t>(TextToInt(AMatch.Group(1)));
    if (Tone >= DrayBinCount)
      continue;
    TDrayBinEntry &Entry = ATable[Tone];
    Entry.Bin = Tone;
    Entry.SNR = static_cast<std::int16_t>(TextToIntDef(AMatch.Group(2), 0));
    Entry.Gain = static_cast<std::int16_t>(TextToIntDef(AMatch.Group(3), 0));
    Entry.ToneBits = static_cast<std::int8_t>(TextToIntDef(AMatch.Group(4), 0));
  }
}

// Shared mode: excludes writers of the raw text, not other readers.
void RebuildStats(TDrayLock &ALock, const TTextLines &ARaw, TDrayStatArray &ATable, TLineParser AParser) {
  std::shared_lock Guard(ALock);
  ATable.fill(TStatValue::Null());
  TRegexMatch Match;
  for (const std::string &Line : ARaw)
    AParser(Line, ATable, Match);
}

} // namespace

TStatMultipliers TDrayData::ParseGroupSize(std::string_view AText) {
  TStatMultipliers Result{0, 0};
  TRegexMatch Match;
  if (!TRouterPatterns::Get().GroupSize.Search(AText, 0, Match))
    return Result;
  // One byte each: the value modulo 256.
  Result[0] = static_cast<std::uint8_t>(TextToIntDef(Match.Group(1), 0));
  Result[1] = static_cast<std::uint8_t>(TextToIntDef(Match.Group(2), 0));
  return Result;
}

void TDrayData::ParseHLogLine(std::string_view ALine, TDrayStatArray &ATable) {
  TRegexMatch Match;
  ParseHLogOrSNRLine(ALine, ATable, Match);
}

void TDrayData::ParseSNRLine(std::string_view ALine, TDrayStatArray &ATable) {
  TRegexMatch Match;
  ParseHLogOrSNRLine(ALine, ATable, Match);
}

void TDrayData::ParseQLNLine(std::string_view ALine, TDrayStatArray &ATable) {
  TRegexMatch Match;
  ParseQLNLineWith(ALine, ATable, Match);
}

void TDrayData::ParseBinStatsLine(std::string_view ALine, TDrayBinArray &ATable) {
  TRegexMatch Match;
  ParseBinsLineWith(ALine, ATable, Match);
}

void TDrayData::ParseHLogStats(TDirection ADirection) {
  if (ADirection == TDirection::Upstream)
    RebuildStats(FHLogLock, FHLogUSRaw, FHLogStatsUS, ParseHLogOrSNRLine);
  else
    RebuildStats(FHLogLock, FHLogDSRaw, FHLogStatsDS, ParseHLogOrSNRLine);
}

void TDrayData::ParseQLNStats(TDirection ADirection) {
  if (ADirection == TDirection::Upstream)
    RebuildStats(FQLNLock, FQLNUSRaw, FQLNStatsUS, ParseQLNLineWith);
  else
    RebuildStats(FQLNLock, FQLNDSRaw, FQLNStatsDS, ParseQLNLineWith);
}

void TDrayData::ParseSNRStats(TDirection ADirection) {
  if (ADirection == TDirection::Upstream)
    RebuildStats(FSNRLock, FSNRUSRaw, FSNRStatsUS, ParseHLogOrSNRLine);
  else
    RebuildStats(FSNRLock, FSNRDSRaw, FSNRStatsDS, ParseHLogOrSNRLine);
}

void TDrayData::ParseBinStats(TDirection ADirection) {
  std::shared_lock Guard(FBinStatsLock);
  const TTextLines &Raw = ADirection == TDirection::Upstream ? FBinStatsUSRaw : FBinStatsDSRaw;
  TDrayBinArray &Table = ADirection == TDirection::Upstream ? FShowBinStatsUS : FShowBinStatsDS;
  TRegexMatch Match;
  for (const std::string &Line : Raw)
    ParseBinsLineWith(Line, Table, Match);
}
