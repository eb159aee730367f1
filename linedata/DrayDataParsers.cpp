// The rebuilds of the tables from their raw text and the line parsers.
#include <mutex>
#include <shared_mutex>
#include <type_traits>

#include "BinsLine.h"
#include "DrayData.h"
#include "IntegerText.h"
#include "RouterPatterns.h"

namespace {

// Each gives whether the line matched its pattern, that is whether it was read.
using TStatLineParser = bool (*)(std::string_view, TDrayStatArray &, TRegexMatch &);

// QLN marks a group without a value with -150.
constexpr std::int32_t QLNNoValue = -150;

bool ParseStatLine(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch, bool ANullForNoValue) {
  if (!TRouterPatterns::Get().StatLine.Search(ALine, 0, AMatch))
    return false;
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
  return true;
}

bool ParseHLogOrSNRLine(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch) {
  return ParseStatLine(ALine, ATable, AMatch, false);
}

bool ParseQLNLineWith(std::string_view ALine, TDrayStatArray &ATable, TRegexMatch &AMatch) {
  return ParseStatLine(ALine, ATable, AMatch, true);
}

// In the order of TDrayKind.
constexpr std::array<TStatLineParser, DrayStatKindCount> StatLineParsers = {ParseHLogOrSNRLine, ParseQLNLineWith,
                                                                           ParseHLogOrSNRLine};

bool ParseBinsLineWith(std::string_view ALine, TDrayBinArray &ATable, TRegexMatch &) {
  return ScanBinsLine(ALine, ATable);
}

void CountLine(TParseCounts &ACounts, std::string_view ALine, bool ATaken) {
  if (ATaken)
    ++ACounts.LinesTaken;
  else if (!IsBlankLine(ALine))
    ++ACounts.LinesSkipped;
}

// Shared mode: excludes writers of the raw text, not other readers. The
// counts are written like the table, by this rebuild only.
template <typename TTable, typename TParser>
void RebuildTable(TDrayKindState<TTable> &AState, std::size_t ASide, TParser AParser) {
  std::shared_lock Guard(AState.Lock);
  TTable &Table = AState.Tables[ASide];
  // A "bin=" table starts again from null; the bins table keeps the tones no line names.
  if constexpr (std::is_same_v<TTable, TDrayStatArray>)
    Table.fill(TStatValue::Null());
  TParseCounts &Counts = AState.Counts[ASide];
  Counts = {};
  TRegexMatch Match;
  for (const std::string_view Line : AState.Lines[ASide])
    CountLine(Counts, Line, AParser(Line, Table, Match));
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

void TDrayData::ParseBinStatsLine(std::string_view ALine, TDrayBinArray &ATable) { ScanBinsLine(ALine, ATable); }

void TDrayData::Rebuild(TDrayKind AKind, TDirection ADirection) {
  if (AKind == TDrayKind::Bins)
    RebuildTable(FBins, IndexOf(ADirection), ParseBinsLineWith);
  else
    RebuildTable(StatKind(AKind), IndexOf(ADirection), StatLineParsers[IndexOf(AKind)]);
}
