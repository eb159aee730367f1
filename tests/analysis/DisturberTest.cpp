// Radio disturbers in the quiet line noise: peaks injected into generated
// lines, and floors that hold none.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "DrayData.h"
#include "LineAnalysis.h"
#include "RadioBands.h"
#include "SyntheticLine.h"

void PrintTo(const TDisturber &ADisturber, std::ostream *AOut) {
  *AOut << "tone " << ADisturber.Tone << " at " << ADisturber.FrequencyHz << " Hz, " << ADisturber.RiseDb << " dB, "
        << testing::PrintToString(ADisturber.Band);
}

namespace {

struct TExpectedPeak {
  double FrequencyHz;
  double RiseDb;
  std::optional<std::string> Band;
};

struct TPeakCase {
  TVDSLProfile Profile;
  std::vector<TExpectedPeak> Peaks;
};

TEST(Disturbers, InjectedPeaksFoundWithinTwoEntriesWithTheirBand) {
  const TPeakCase Cases[] = {
      {vp17a,
       {{693e3, 25, "MW broadcast"},
        {1.9e6, 16, "160 m amateur"},
        {3.65e6, 18, "80 m amateur"},
        {7.1e6, 20, "40 m amateur"},
        {9.6e6, 30, "31 m broadcast"},
        {12.5e6, 22, std::nullopt},
        {14.2e6, 17, "20 m amateur"}}},
      {vp35b,
       {{234e3, 19, "LW broadcast"},
        {5.36e6, 20, "60 m amateur"},
        {18.1e6, 24, "17 m amateur"},
        {21.2e6, 18, "15 m amateur"},
        {25.8e6, 21, "11 m broadcast"},
        {28.5e6, 26, "10 m amateur"}}},
      {vp30a, {{3.95e6, 20, "75 m broadcast"}, {7.3e6, 20, "41 m broadcast"}, {24.94e6, 17, "12 m amateur"}}},
      {vp8b, {{1.0e6, 16, "MW broadcast"}, {6.0e6, 23, "49 m broadcast"}}},
  };
  for (const TPeakCase &Case : Cases) {
    TSyntheticLine Line;
    Line.Profile = Case.Profile;
    for (const TExpectedPeak &Peak : Case.Peaks)
      Line.Peaks.push_back({Peak.FrequencyHz, Peak.RiseDb});
    TDrayData Data("peaks");
    FillSynthetic(Data, Line);
    const TLineAnalysis Analysis = AnalyzeLine(Data);
    const double EntryHz = SyntheticGroupSize(Case.Profile) * ToneSpacingHz(Case.Profile);
    ASSERT_EQ(Analysis.Disturbers.size(), Case.Peaks.size()) << ProfileName(Case.Profile);
    // Both lists run by frequency.
    for (std::size_t I = 0; I < Case.Peaks.size(); ++I) {
      const TDisturber &Found = Analysis.Disturbers[I];
      const TExpectedPeak &Peak = Case.Peaks[I];
      EXPECT_LE(std::fabs(Found.FrequencyHz - Peak.FrequencyHz), 2 * EntryHz) << Peak.FrequencyHz;
      EXPECT_EQ(Found.FrequencyHz, Found.Tone * ToneSpacingHz(Case.Profile));
      EXPECT_EQ(Found.Band, Peak.Band) << Peak.FrequencyHz;
      EXPECT_GE(Found.RiseDb, 10) << Peak.FrequencyHz;
      EXPECT_LE(Found.RiseDb, Peak.RiseDb + 2) << Peak.FrequencyHz;
    }
  }
}

// A flat floor with its ripple, a peak of 8 dB, and the floor stepping by
// 20 dB between two bands: none of them is a disturber.
TEST(Disturbers, NoneOnFloorsWithoutAPeak) {
  TSyntheticLine Flat;
  Flat.Peaks = {{7.1e6, 8}};
  TDrayData Data("flat");
  FillSynthetic(Data, Flat);
  EXPECT_TRUE(AnalyzeLine(Data).Disturbers.empty());

  TDrayStatArray Step;
  for (int Entry = 0; Entry < DrayStatCount; ++Entry)
    Step[Entry] = TStatValue::Of((Entry < 200 ? -140 : -120) + (Entry % 3) - 1);
  EXPECT_TRUE(FindDisturbers(Step, 8, 4312.5).empty());
}

// A strong station lifts its neighbouring entries above the threshold too;
// they are one disturber, at the highest entry.
TEST(Disturbers, AdjacentEntriesAreOne) {
  TDrayStatArray Table;
  Table.fill(TStatValue::Of(-135));
  Table[27] = TStatValue::Of(-122);
  Table[28] = TStatValue::Of(-105);
  Table[29] = TStatValue::Of(-118);
  Table[31] = TStatValue::Of(-120);  // a gap of one entry: another disturber
  Table[40] = TStatValue::Null();
  const std::vector<TDisturber> Found = FindDisturbers(Table, 8, 4312.5);
  ASSERT_EQ(Found.size(), 2u);
  EXPECT_EQ(Found[0], (TDisturber{224, 224 * 4312.5, 30, "MW broadcast"}));
  EXPECT_EQ(Found[1], (TDisturber{248, 248 * 4312.5, 15, "MW broadcast"}));
  // No group size: the entries have no place on the tone axis.
  EXPECT_TRUE(FindDisturbers(Table, 0, 4312.5).empty());
}

TEST(Disturbers, RadioBandTable) {
  struct TCase {
    double FrequencyHz, WidthHz;
    std::optional<std::string> Band;
  };
  const TCase Cases[] = {
      {148.4e3, 0, std::nullopt},        {148.5e3, 0, "LW broadcast"},  {1.6065e6, 0, std::nullopt},
      {1.0e6, 0, "MW broadcast"},        {7.1999e6, 0, "40 m amateur"}, {7.2e6, 0, "41 m broadcast"},
      {21.45e6, 0, "13 m broadcast"},    {29.7e6, 0, std::nullopt},     {2.1e6, 0, std::nullopt},
      // Tone groups of 69 kHz by a band narrower than that.
      {5.382e6, 69e3, "60 m amateur"},   {5.33e6, 69e3, "60 m amateur"}, {5.42e6, 69e3, std::nullopt},
      {5.29e6, 69e3, std::nullopt},
  };
  for (const TCase &Case : Cases)
    EXPECT_EQ(RadioBandNear(Case.FrequencyHz, Case.WidthHz), Case.Band) << Case.FrequencyHz;
}

} // namespace
