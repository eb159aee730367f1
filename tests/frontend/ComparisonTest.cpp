// Comparing with a reference: which snapshot may be the reference, when the
// comparison stops, and what the bit-loading legend counts with and without
// bins listings on either side.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Comparison.h"
#include "DrayData.h"

namespace {

TEST(Comparison, TakesAnotherSnapshotAsTheReference) {
  TDrayData shown, other;
  const struct {
    const char *Title;
    const TDrayData *Reference;
    bool Taken;
  } Cases[] = {{"another snapshot", &other, true}, {"the one shown", &shown, false}, {"none", nullptr, false}};
  for (const auto &Case : Cases) {
    TComparison comparison;
    EXPECT_EQ(comparison.CompareWith(Case.Reference, &shown), Case.Taken) << Case.Title;
    EXPECT_EQ(comparison.Reference(), Case.Taken ? Case.Reference : nullptr) << Case.Title;
  }
}

TEST(Comparison, DifferenceOnlyWithAReferenceAndUntilItStops) {
  TDrayData shown, reference;
  TComparison comparison;
  comparison.SetDifference(true);
  EXPECT_FALSE(comparison.Difference());
  ASSERT_TRUE(comparison.CompareWith(&reference, &shown));
  comparison.SetDifference(true);
  EXPECT_TRUE(comparison.Difference());
  comparison.Stop();
  EXPECT_EQ(comparison.Reference(), nullptr);
  EXPECT_FALSE(comparison.Difference());
}

// A snapshot leaving the list, or shown itself, ends the comparison only
// when it is the reference.
TEST(Comparison, ForgetsOnlyTheReference) {
  TDrayData shown, reference, other;
  TComparison comparison;
  ASSERT_TRUE(comparison.CompareWith(&reference, &shown));
  comparison.SetDifference(true);
  EXPECT_FALSE(comparison.Forget(&other));
  EXPECT_FALSE(comparison.Forget(nullptr));
  EXPECT_EQ(comparison.Reference(), &reference);
  EXPECT_TRUE(comparison.Difference());
  EXPECT_TRUE(comparison.Forget(&reference));
  EXPECT_EQ(comparison.Reference(), nullptr);
  EXPECT_FALSE(comparison.Difference());
}

// A bins listing of a few tones; the others have no bits.
TTextLines BinsListing(std::initializer_list<std::string> ARows) {
  TTextLines lines = {"DOWNSTREAM :", "-------", " Bin  SNR Gain Bi -  Bin  SNR Gain Bi",
                      "       dB .1dB ts -        dB .1dB ts"};
  for (const std::string &row : ARows)
    lines.push_back(row);
  return lines;
}

struct TBinsSides {
  bool Upstream, Downstream;
};

// The reference has 9 bits on tones 12 and 13; the snapshot shown has 10 on
// tone 12 and 7 on 13 upstream, 8 on both downstream.
void FillBins(TDrayData &AData, TBinsSides ASides, bool AShown) {
  if (ASides.Upstream)
    AData.SetBinStatsUSRaw(AShown ? BinsListing({"  12   35  -40 10", "  13   35  -40  7"})
                                  : BinsListing({"  12   35  -40  9", "  13   35  -40  9"}));
  if (ASides.Downstream)
    AData.SetBinStatsDSRaw(AShown ? BinsListing({"  12   35  -40  8", "  13   35  -40  8"})
                                  : BinsListing({"  12   35  -40  9", "  13   35  -40  9"}));
}

TEST(Comparison, LegendCountsBitsWhereBothHaveThatBinsListing) {
  const std::optional<TBitsCount> Up = TBitsCount{1, 1}, Down = TBitsCount{0, 2}, None;
  const struct {
    const char *Title;
    TBinsSides Reference, Shown;
    std::optional<TBitsCount> Upstream, Downstream;
  } Cases[] = {
      {"both with bins", {true, true}, {true, true}, Up, Down},
      {"reference without bins", {false, false}, {true, true}, None, None},
      {"shown without bins", {true, true}, {false, false}, None, None},
      {"neither with bins", {false, false}, {false, false}, None, None},
      {"reference upstream only", {true, false}, {true, true}, Up, None},
      {"shown downstream only", {true, true}, {false, true}, None, Down},
  };
  for (const auto &Case : Cases) {
    TDrayData reference, shown;
    FillBins(reference, Case.Reference, false);
    FillBins(shown, Case.Shown, true);
    const TBitsLegend legend = CompareBits(reference, shown);
    EXPECT_EQ(legend[0], Case.Upstream) << Case.Title;
    EXPECT_EQ(legend[1], Case.Downstream) << Case.Title;
  }
}

TEST(Comparison, BitsCountText) {
  EXPECT_EQ(BitsCountText({12, 3}), "12 tones gained bits, 3 lost");
  EXPECT_EQ(BitsCountText({0, 0}), "0 tones gained bits, 0 lost");
}

} // namespace
