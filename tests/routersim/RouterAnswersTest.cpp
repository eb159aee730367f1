// The simulated router's answers, read back by the snapshot's own parsers,
// carry the line's truth: every bit the model loads, and each disturber in
// the QLN entries around its centre.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DrayData.h"
#include "RouterAnswers.h"

namespace {

constexpr TDirection US = TDirection::Upstream, DS = TDirection::Downstream;

TRouterSimOptions OptionsFor(TVDSLProfile AProfile, std::vector<TLineDisturber> ADisturbers = {{7.1, 20}}) {
  TRouterSimOptions Options;
  Options.Profile = AProfile;
  Options.Line.Disturbers = std::move(ADisturbers);
  return Options;
}

long long SumOfBits(const TDrayBinArray &ATable) {
  long long Sum = 0;
  for (const TDrayBinEntry &Entry : ATable)
    Sum += Entry.ToneBits;
  return Sum;
}

TEST(RouterAnswers, TheBinsListingCarriesEveryBitAtTheProfilesSymbolRate) {
  const struct {
    TVDSLProfile Profile;
    int SymbolRate;
  } Cases[] = {{vp8b, 4000}, {vp17a, 4000}, {vp30a, 8000}, {vp35b, 4000}};
  for (const auto &Case : Cases) {
    const TRouterAnswers Answers(OptionsFor(Case.Profile));
    const TLineModel &Model = Answers.Model();
    TDrayData Data;
    Data.SetBinStatsDSRaw(SplitText(*Answers.Find("vdsl showbins")));
    Data.SetBinStatsUSRaw(SplitText(*Answers.Find("vdsl showbins up")));
    for (TDirection Direction : {US, DS}) {
      long long Bits = 0;
      for (int Tone = 0; Tone < Model.ToneCount(); ++Tone)
        Bits += Model.Bits(Tone, Direction);
      EXPECT_GT(Bits, 0) << ProfileName(Case.Profile);
      EXPECT_EQ(Model.TotalBits(Direction), Bits) << ProfileName(Case.Profile);
      EXPECT_EQ(Model.LineRateBps(Direction), Bits * Case.SymbolRate) << ProfileName(Case.Profile);
    }
    EXPECT_EQ(SumOfBits(Data.ShowBinStatsDS()), Model.TotalBits(DS)) << ProfileName(Case.Profile);
    EXPECT_EQ(SumOfBits(Data.ShowBinStatsUS()), Model.TotalBits(US)) << ProfileName(Case.Profile);
  }
}

double Median(std::vector<double> AValues) {
  std::nth_element(AValues.begin(), AValues.begin() + AValues.size() / 2, AValues.end());
  return AValues[AValues.size() / 2];
}

// In the QLN table as parsed, a disturber of 20 dB or more lifts the entry
// of its centre or a neighbour by at least half its rise above the entries
// around, and no entry three or more away.
TEST(RouterAnswers, EachDisturberShowsInTheQLNEntriesAtItsCentre) {
  const std::vector<TLineDisturber> Disturbers = {{0.7, 20}, {7.1, 20}, {14.2, 30}};
  for (TVDSLProfile Profile : {vp8b, vp17a, vp30a, vp35b}) {
    const TRouterAnswers Answers(OptionsFor(Profile, Disturbers));
    const TLineModel &Model = Answers.Model();
    TDrayData Data;
    Data.SetQLNData(SplitText(*Answers.Find("vdsl status qln") + "DrayTek> "));
    for (const TLineDisturber &Disturber : Disturbers) {
      const int Tone = static_cast<int>(Disturber.CentreMHz / Model.FrequencyMHz(1));
      if (Tone >= Model.ToneCount())
        continue; // above this profile's spectrum
      const TDrayStatArray &Table = Model.InBand(Tone, US) ? Data.QLNStatsUS() : Data.QLNStatsDS();
      const int Entry = Tone / Model.GroupSize();
      std::vector<double> Around;
      for (int Other = std::max(Entry - 16, 0); Other <= std::min(Entry + 16, DrayStatCount - 1); ++Other)
        if (std::abs(Other - Entry) >= 3 && Table[Other].HasValue())
          Around.push_back(Table[Other].AsInteger());
      ASSERT_GT(Around.size(), 16u) << ProfileName(Profile) << " " << Disturber.CentreMHz;
      const double Floor = Median(Around);
      double Peak = -150;
      for (int Near = std::max(Entry - 1, 0); Near <= std::min(Entry + 1, DrayStatCount - 1); ++Near)
        Peak = std::max(Peak, static_cast<double>(Table[Near].AsInteger()));
      EXPECT_GE(Peak - Floor, Disturber.RiseDb / 2) << ProfileName(Profile) << " " << Disturber.CentreMHz;
      for (double Value : Around)
        EXPECT_LT(Value - Floor, 2) << ProfileName(Profile) << " " << Disturber.CentreMHz;
    }
  }
}

} // namespace
