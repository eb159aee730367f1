#include "ReportedFigures.h"

#include <charconv>
#include <string_view>

#include "RouterPatterns.h"

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;

template <typename TNumber>
std::optional<TNumber> NumberOf(std::string_view AText) {
  TNumber Value{};
  const auto [End, Error] = std::from_chars(AText.data(), AText.data() + AText.size(), Value);
  if (Error != std::errc() || End != AText.data() + AText.size())
    return std::nullopt;
  return Value;
}

template <typename T>
void SetOnce(std::optional<T> &AFigure, std::optional<T> AValue) {
  if (!AFigure)
    AFigure = std::move(AValue);
}

// Every match of APattern in ALine, searched again from the end of the last.
template <typename TVisit>
void EachMatch(const TRegex &APattern, std::string_view ALine, TVisit AVisit) {
  TRegexMatch Match;
  std::size_t From = 0;
  while (From <= ALine.size() && APattern.Search(ALine, From, Match)) {
    AVisit(Match);
    From = Match.End() > From ? Match.End() : From + 1;
  }
}

std::optional<std::int64_t> RateOf(const TRegexMatch &AMatch) {
  const std::optional<std::int64_t> Number = NumberOf<std::int64_t>(AMatch.Group(3));
  const std::string_view Prefix = AMatch.Group(4);
  const std::int64_t Scale = Prefix.empty() ? 1 : Prefix == "M" ? 1000000 : 1000;
  if (!Number)
    return std::nullopt;
  return *Number * Scale;
}

void ReadStatusLine(std::string_view ALine, TReportedFigures &AFigures) {
  const TRouterPatterns &Patterns = TRouterPatterns::Get();
  EachMatch(Patterns.LineState, ALine,
            [&](const TRegexMatch &M) { SetOnce(AFigures.State, std::optional(std::string(M.Group(1)))); });
  EachMatch(Patterns.Rate, ALine, [&](const TRegexMatch &M) {
    const TDirection Direction = M.Group(1) == "US" ? US : DS;
    auto &Rates = M.Group(2) == "Actual" ? AFigures.ActualRate : AFigures.AttainableRate;
    SetOnce(Rates[Direction], RateOf(M));
  });
  // The router's own side is downstream: what it measures, it receives.
  EachMatch(Patterns.SNRMargin, ALine, [&](const TRegexMatch &M) {
    SetOnce(AFigures.SNRMargin[M.Group(1) == "Cur" ? DS : US], NumberOf<double>(M.Group(2)));
  });
  EachMatch(Patterns.Attenuation, ALine, [&](const TRegexMatch &M) {
    SetOnce(AFigures.Attenuation[M.Group(1) == "NE" ? DS : US], NumberOf<double>(M.Group(2)));
  });
}

TCounterPair *CounterNamed(TShowtimeCounters &ACounters, std::string_view AName) {
  if (AName == "ElapsedTime") return &ACounters.ElapsedTime;
  if (AName == "CRC") return &ACounters.CRC;
  if (AName == "FEC") return &ACounters.FEC;
  if (AName == "ES") return &ACounters.ES;
  if (AName == "SES") return &ACounters.SES;
  if (AName == "UAS") return &ACounters.UAS;
  return nullptr;
}

// The rows of the first " [ Counters: Showtime ]" block, up to a blank line
// or the next block; "vdsl status more" prints counters of the same names
// that count since another moment, so only this block is read.
TShowtimeCounters ReadShowtimeCounters(const TTextLines &AStats) {
  const TRouterPatterns &Patterns = TRouterPatterns::Get();
  TRegexMatch Match;
  TShowtimeCounters Counters;
  auto Line = AStats.begin();
  while (Line != AStats.end() && !Patterns.ShowtimeCounters.Search(*Line, 0, Match))
    ++Line;
  if (Line == AStats.end())
    return Counters;
  for (++Line; Line != AStats.end() && !IsBlankLine(*Line) && !Patterns.BlockTitle.Search(*Line, 0, Match); ++Line) {
    if (!Patterns.CounterRow.Search(*Line, 0, Match))
      continue;
    if (TCounterPair *Counter = CounterNamed(Counters, Match.Group(1))) {
      SetOnce(Counter->Near, NumberOf<std::int64_t>(Match.Group(2)));
      SetOnce(Counter->Far, NumberOf<std::int64_t>(Match.Group(3)));
    }
  }
  return Counters;
}

// The band names of a title row, "US0 US1 DS1 DS2"; empty when the line
// holds anything else.
std::vector<std::string> BandTitles(std::string_view ALine) {
  const TRegex &Name = TRouterPatterns::Get().BandName;
  TRegexMatch Match;
  std::vector<std::string> Names;
  std::size_t At = 0;
  while (At < ALine.size()) {
    const std::size_t Start = ALine.find_first_not_of(" \t", At);
    if (Start == std::string_view::npos)
      break;
    const std::size_t End = std::min(ALine.find_first_of(" \t", Start), ALine.size());
    if (!Name.Search(ALine.substr(Start, End - Start), 0, Match))
      return {};
    Names.push_back(std::string(Match.Group(1).size() == 1 ? Match.Group(1) == "U" ? "US" : "DS" : Match.Group(1)) +
                    std::string(Match.Group(2)));
    At = End;
  }
  return Names;
}

TBandAttenuation &BandNamed(std::vector<TBandAttenuation> &ABands, const std::string &AName) {
  for (TBandAttenuation &Band : ABands)
    if (Band.Name == AName)
      return Band;
  return ABands.emplace_back(TBandAttenuation{AName, std::nullopt, std::nullopt});
}

// A LATN or SATN row: its values, in order, go to the bands of the title row
// above it.
void ReadBandRow(const TRegexMatch &ARow, std::string_view ALine, const std::vector<std::string> &ATitles,
                 std::vector<TBandAttenuation> &ABands) {
  const bool Loop = ARow.Group(1) == "LATN";
  std::size_t Column = 0;
  EachMatch(TRouterPatterns::Get().BandValue, ALine.substr(ARow.End()), [&](const TRegexMatch &AValue) {
    if (Column < ATitles.size()) {
      TBandAttenuation &Band = BandNamed(ABands, ATitles[Column++]);
      SetOnce(Loop ? Band.LATN : Band.SATN, NumberOf<double>(AValue.Group(1)));
    }
  });
}

std::vector<TBandAttenuation> ReadBandInfo(const TTextLines &AStats) {
  const TRegex &Row = TRouterPatterns::Get().BandRow;
  TRegexMatch Match;
  std::vector<TBandAttenuation> Bands;
  std::vector<std::string> Titles;
  for (const std::string_view Line : AStats) {
    if (std::vector<std::string> Names = BandTitles(Line); !Names.empty())
      Titles = std::move(Names);
    else if (!Titles.empty() && Row.Search(Line, 0, Match))
      ReadBandRow(Match, Line, Titles, Bands);
  }
  return Bands;
}

} // namespace

TReportedFigures ReadReportedFigures(const TTextLines &AStats) {
  TReportedFigures Figures;
  for (const std::string_view Line : AStats)
    ReadStatusLine(Line, Figures);
  Figures.Bands = ReadBandInfo(AStats);
  Figures.Counters = ReadShowtimeCounters(AStats);
  return Figures;
}
