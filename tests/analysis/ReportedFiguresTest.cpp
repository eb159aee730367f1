// The figures the router reports, read from real status texts and from
// variants of their lines.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "ReportedFigures.h"
#include "TestFiles.h"

void PrintTo(const TBandAttenuation &ABand, std::ostream *AOut) {
  *AOut << ABand.Name << " LATN " << testing::PrintToString(ABand.LATN) << " SATN "
        << testing::PrintToString(ABand.SATN);
}

void PrintTo(const TCounterPair &ACounter, std::ostream *AOut) {
  *AOut << testing::PrintToString(ACounter.Near) << " / " << testing::PrintToString(ACounter.Far);
}

namespace {

TTextLines FixtureLines(const char *AName) { return SplitText(ReadBytes(FixturePath(AName))); }

void Append(TTextLines &ALines, const TTextLines &AMore) { ALines.Append(AMore); }

// The status text of a whole retrieval: bandinfo, status, more, counts, in
// the order and with the headers the retrieval gives them.
TTextLines RetrievalStatusText() {
  TTextLines Lines = FixtureLines("router-status-bandinfo.txt");
  Append(Lines, {"", " [ STATUS ]"});
  Append(Lines, FixtureLines("router-vdsl-status-17a.txt"));
  Append(Lines, {""});
  Append(Lines, FixtureLines("router-vdsl-status-more.txt"));
  Append(Lines, {""});
  Append(Lines, FixtureLines("router-vdsl-status-counts.txt"));
  return Lines;
}

// What the real "vdsl status" of the Vigor165 on 17A says.
TReportedFigures StatusFigures() {
  TReportedFigures Figures;
  Figures.State = "SHOWTIME";
  Figures.ActualRate = {36996000, 107737000};
  Figures.AttainableRate = {45164000, 145155176};
  Figures.SNRMargin = {9.0, 17.0};  // "Far SNR Margin" 9, "Cur SNR Margin" 17
  Figures.Attenuation = {2.0, 4.0}; // "Far Current Attenuation" 2, "NE Current Attenuation" 4
  return Figures;
}

// The Showtime block of the real "vdsl status counts"; the 15Min and 1DAY
// blocks below it hold other numbers (ES far end 0 and 18).
TShowtimeCounters ShowtimeCounters() {
  return {{145464, 145464}, {6, 0}, {0, 0}, {0, 999}, {0, 0}, {0, 0}};
}

std::vector<TBandAttenuation> HandMadeBands() {
  return {{"US0", 4.1, 3.9},   {"US1", 17.3, 17.1}, {"US2", 25.0, std::nullopt},
          {"DS1", 9.8, 9.6},   {"DS2", 22.4, 22.2}, {"DS3", 33.6, 33.4}};
}

struct TSampleCase {
  const char *Title;
  TTextLines Status;
  TReportedFigures Expected;
};

class SampleCases : public testing::TestWithParam<TSampleCase> {};

TEST_P(SampleCases, EveryFigure) {
  const TReportedFigures Figures = ReadReportedFigures(GetParam().Status);
  const TReportedFigures &Expected = GetParam().Expected;
  EXPECT_EQ(Figures.State, Expected.State);
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream}) {
    EXPECT_EQ(Figures.ActualRate[Direction], Expected.ActualRate[Direction]);
    EXPECT_EQ(Figures.AttainableRate[Direction], Expected.AttainableRate[Direction]);
    EXPECT_EQ(Figures.SNRMargin[Direction], Expected.SNRMargin[Direction]);
    EXPECT_EQ(Figures.Attenuation[Direction], Expected.Attenuation[Direction]);
  }
  EXPECT_EQ(Figures.Bands, Expected.Bands);
  EXPECT_EQ(Figures.Counters.ElapsedTime, Expected.Counters.ElapsedTime);
  EXPECT_EQ(Figures.Counters.CRC, Expected.Counters.CRC);
  EXPECT_EQ(Figures.Counters.FEC, Expected.Counters.FEC);
  EXPECT_EQ(Figures.Counters.ES, Expected.Counters.ES);
  EXPECT_EQ(Figures.Counters.SES, Expected.Counters.SES);
  EXPECT_EQ(Figures.Counters.UAS, Expected.Counters.UAS);
}

TReportedFigures WithCountersAndBands(TReportedFigures AFigures) {
  AFigures.Counters = ShowtimeCounters();
  AFigures.Bands = HandMadeBands();
  return AFigures;
}

TReportedFigures OnlyCounters() {
  TReportedFigures Figures;
  Figures.Counters = ShowtimeCounters();
  return Figures;
}

TReportedFigures OnlyBands() {
  TReportedFigures Figures;
  Figures.Bands = HandMadeBands();
  return Figures;
}

INSTANTIATE_TEST_SUITE_P(
    RealTexts, SampleCases,
    testing::Values(TSampleCase{"Status", FixtureLines("router-vdsl-status-17a.txt"), StatusFigures()},
                    // Its ES, SES, UAS and CRC rows count since another moment:
                    // no counter, and nothing else either.
                    TSampleCase{"StatusMore", FixtureLines("router-vdsl-status-more.txt"), {}},
                    TSampleCase{"StatusCounts", FixtureLines("router-vdsl-status-counts.txt"), OnlyCounters()},
                    TSampleCase{"BandInfo", FixtureLines("router-status-bandinfo.txt"), OnlyBands()},
                    TSampleCase{"WholeRetrieval", RetrievalStatusText(), WithCountersAndBands(StatusFigures())},
                    TSampleCase{"Empty", {}, {}}),
    [](const testing::TestParamInfo<TSampleCase> &AInfo) { return AInfo.param.Title; });

// Lines as other firmware prints them, one figure each.
TEST(ReportedFigures, LineVariants) {
  struct TCase {
    TTextLines Status;
    std::function<bool(const TReportedFigures &)> Holds;
    const char *What;
  };
  const TCase Cases[] = {
      {{"  DS Actual Rate          :   107737 Kbps   US Actual Rate       :  36996 kbps"},
       [](const TReportedFigures &F) {
         return F.ActualRate == TDirectionPair<std::optional<std::int64_t>>{36996000, 107737000};
       },
       "rates in kbit/s"},
      {{"  DS Attainable Rate      :  145 Mbps"},
       [](const TReportedFigures &F) { return F.AttainableRate.DS == 145000000 && !F.AttainableRate.US; },
       "a rate in Mbit/s, the other direction absent"},
      {{"  NE Current Attenuation  :     13.5 dB    Cur SNR Margin       :     -1.2  dB"},
       [](const TReportedFigures &F) { return F.Attenuation.DS == 13.5 && F.SNRMargin.DS == -1.2 && !F.SNRMargin.US; },
       "decimals and a negative margin"},
      {{"  State                : TRAINING", "  State                : SHOWTIME"},
       [](const TReportedFigures &F) { return F.State == "TRAINING"; }, "the first line decides"},
      {{" [ Band Info ]", "         U0      U1      D1      D2", "  LATN(dB):   4.1   N/A   9.8   ---",
        "  SATN(dB):   3.9   16.0   9.6"},
       [](const TReportedFigures &F) {
         return F.Bands == std::vector<TBandAttenuation>{{"US0", 4.1, 3.9}, {"US1", std::nullopt, 16.0},
                                                         {"DS1", 9.8, 9.6}, {"DS2", std::nullopt, std::nullopt}};
       },
       "short band names, missing values, a short row"},
      {{"  LATN  :     4.1    17.3  (dB)"}, [](const TReportedFigures &F) { return F.Bands.empty(); },
       "a row without a title row above it"},
      {{" [ Counters: 15Min ]", " CRC          :      3               4", "", " [ Counters: Showtime ]",
        " CRC          :      6               0", " [ Counters: 1DAY ]", " UAS          :      5               5"},
       [](const TReportedFigures &F) {
         return F.Counters.CRC == TCounterPair{6, 0} && F.Counters.UAS == TCounterPair{};
       },
       "only the Showtime block, up to the next block"},
  };
  for (const TCase &Case : Cases)
    EXPECT_TRUE(Case.Holds(ReadReportedFigures(Case.Status))) << Case.What;
}

} // namespace
