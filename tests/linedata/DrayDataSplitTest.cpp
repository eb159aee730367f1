// Splitting a whole HLog/QLN/SNR answer into its upstream and downstream raw
// lines: the line before the downstream marker and the last line (the prompt)
// are never data.
#include <gtest/gtest.h>

#include "DrayData.h"

namespace {

// An HLog answer laid out as the router prints it: echo, group sizes, the
// upstream marker and lines, one line before the downstream marker, the
// downstream lines and the prompt.
TTextLines HLogAnswer() {
  return {"vdsl status hlog",
          "  GroupSize  :     8     16",
          " US: (dB)",
          "bin=   0:  -96, -97, -98, -99,-100,-101,-102,-103,",
          "bin=   8:  -80, -81, -82, -83, -84, -85, -86, -87,",
          "bin=  16:  -70, -71, -72, -73, -74, -75, -76, -77,",
          " DS: (dB)",
          "bin=   0:  -20, -21, -22, -23, -24, -25, -26, -27,",
          "bin=   8:  -30, -31, -32, -33, -34, -35, -36, -37,",
          "bin=  16:  -40, -41, -42, -43, -44, -45, -46, -47,"};
}

TEST(DrayDataSplit, LineBeforeDownstreamMarkerAndLastLineAreInNeitherList) {
  const TTextLines Answer = HLogAnswer();
  TDrayData Data("x");
  Data.SetHLogData(Answer);
  EXPECT_EQ(Data.HLogMultipliers(), (TStatMultipliers{8, 16}));
  EXPECT_EQ(Data.HLogUSRaw(), (TTextLines{Answer[3], Answer[4]}));
  EXPECT_EQ(Data.HLogDSRaw(), (TTextLines{Answer[7], Answer[8]}));
  // Upstream 0..15 from two lines; 16..23 stood right before " DS: (dB)".
  EXPECT_EQ(Data.HLogStatsUS()[0], TStatValue::Of(-96));
  EXPECT_EQ(Data.HLogStatsUS()[15], TStatValue::Of(-87));
  EXPECT_TRUE(Data.HLogStatsUS()[16].IsNull());
  // Downstream: the last line of the answer is not taken.
  EXPECT_EQ(Data.HLogStatsDS()[9], TStatValue::Of(-31));
  EXPECT_TRUE(Data.HLogStatsDS()[16].IsNull());
  // Other kinds are untouched.
  EXPECT_TRUE(Data.QLNStatsDS()[9].IsUnassigned());
  EXPECT_EQ(Data.QLNMultipliers(), (TStatMultipliers{0, 0}));
}

struct TSplitCase {
  const char *Title;
  TTextLines Answer;
  TTextLines US;
  TTextLines DS;
};

class DrayDataSplitCases : public testing::TestWithParam<TSplitCase> {};

TEST_P(DrayDataSplitCases, SplitsAtTheMarkers) {
  TDrayData Data;
  Data.SetSNRData(GetParam().Answer);
  EXPECT_EQ(Data.SNRUSRaw(), GetParam().US);
  EXPECT_EQ(Data.SNRDSRaw(), GetParam().DS);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, DrayDataSplitCases,
    testing::Values(
        TSplitCase{"BothMarkers", {"e", " US: (dB)", "u1", "u2", "x", " DS: (dB)", "d1", "d2", "p"}, {"u1", "u2"}, {"d1", "d2"}},
        TSplitCase{"MarkerCaseIgnored", {" us: (DB)", "u1", "x", " ds: (db)", "d1", "p"}, {"u1"}, {"d1"}},
        TSplitCase{"LeadingBlankCounts", {"US: (dB)", "u1", "x", "DS: (dB)", "d1", "p"}, {}, {"US: (dB)", "u1", "x", "DS: (dB)", "d1"}},
        TSplitCase{"TrailingBlankCounts", {" US: (dB) ", "u1", "x", " DS: (dB)", "d1", "p"}, {" US: (dB) ", "u1"}, {"d1"}},
        TSplitCase{"NoUpstreamMarkerStartsAtLineZero", {"a", "b", "x", " DS: (dB)", "d1", "p"}, {"a", "b"}, {"d1"}},
        TSplitCase{"NoDownstreamMarker", {" US: (dB)", "u1", "u2", "p"}, {}, {" US: (dB)", "u1", "u2"}},
        TSplitCase{"AdjacentMarkers", {" US: (dB)", " DS: (dB)", "d1", "p"}, {}, {"d1"}},
        TSplitCase{"DownstreamMarkerIsLastLine", {" US: (dB)", "u1", "x", " DS: (dB)"}, {"u1"}, {}},
        TSplitCase{"FirstMarkerOfEachKindCounts", {" US: (dB)", "u1", "x", " DS: (dB)", " DS: (dB)", "p"}, {"u1"}, {" DS: (dB)"}},
        TSplitCase{"Empty", {}, {}, {}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(DrayDataSplit, QLNLooksForItsOwnMarkers) {
  TDrayData Data;
  Data.SetQLNData({" US: (dB)", "u1", "x", " DS: (dB)", "d1", "p"});
  EXPECT_TRUE(Data.QLNUSRaw().empty());
  EXPECT_EQ(Data.QLNDSRaw(), (TTextLines{" US: (dB)", "u1", "x", " DS: (dB)", "d1"}));
  Data.Clear();
  Data.SetQLNData({" US: (dBm/Hz)", "u1", "x", " DS: (dBm/Hz)", "d1", "p"});
  EXPECT_EQ(Data.QLNUSRaw(), (TTextLines{"u1"}));
  EXPECT_EQ(Data.QLNDSRaw(), (TTextLines{"d1"}));
}

TEST(DrayDataSplit, SecondAnswerWithoutClearIsAppendedAndBothAreParsed) {
  TDrayData Data;
  Data.SetHLogData({" US: (dB)", "x", " DS: (dB)", "bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,", "p"});
  Data.SetHLogData({" US: (dB)", "x", " DS: (dB)", "bin=   8:  -9,-10,-11,-12,-13,-14,-15,-16,", "p"});
  EXPECT_EQ(Data.HLogDSRaw().size(), 2u);
  EXPECT_EQ(Data.HLogStatsDS()[0], TStatValue::Of(-1));
  EXPECT_EQ(Data.HLogStatsDS()[15], TStatValue::Of(-16));
}

TEST(DrayDataSplit, ClearEmptiesRawAndStatusButKeepsTables) {
  TDrayData Data("kept");
  Data.AddStatData({" [ STATUS ]"}, nullptr);
  Data.SetHLogData(HLogAnswer());
  Data.SetBinStatsUSRaw({"5 40 -12 9"});
  Data.SetVDSLProfile(vp17a);
  Data.Clear();
  EXPECT_TRUE(Data.Stats().empty());
  EXPECT_TRUE(Data.HLogUSRaw().empty());
  EXPECT_TRUE(Data.HLogDSRaw().empty());
  EXPECT_TRUE(Data.BinStatsUSRaw().empty());
  EXPECT_EQ(Data.HLogStatsUS()[0], TStatValue::Of(-96));
  EXPECT_EQ(Data.ShowBinStatsUS()[5].ToneBits, 9);
  EXPECT_EQ(Data.HLogMultipliers(), (TStatMultipliers{8, 16}));
  EXPECT_EQ(Data.VDSLProfile(), vp17a);
  EXPECT_EQ(Data.Name(), "kept");
}

TEST(DrayDataSplit, NewSnapshotIsEmptyAndUnassigned) {
  const TDrayData Data;
  EXPECT_EQ(Data.DataVersion(), 0u);
  EXPECT_EQ(Data.Name(), "");
  EXPECT_EQ(Data.VDSLProfile(), vpNA);
  for (const TDrayStatArray *Table : {&Data.HLogStatsUS(), &Data.HLogStatsDS(), &Data.QLNStatsUS(),
                                      &Data.QLNStatsDS(), &Data.SNRStatsUS(), &Data.SNRStatsDS()})
    for (const TStatValue &Entry : *Table) {
      ASSERT_TRUE(Entry.IsUnassigned());
      ASSERT_FALSE(Entry.IsNull());
      ASSERT_EQ(Entry.AsInteger(), 0);
    }
  for (const TDrayBinArray *Table : {&Data.ShowBinStatsUS(), &Data.ShowBinStatsDS()})
    for (const TDrayBinEntry &Entry : *Table)
      ASSERT_EQ(Entry, TDrayBinEntry{});
  for (const TStatMultipliers Sizes : {Data.HLogMultipliers(), Data.QLNMultipliers(), Data.SNRMultipliers()})
    EXPECT_EQ(Sizes, (TStatMultipliers{0, 0}));
}

TEST(DrayDataSplit, RawSettersReplaceAndRebuildOnlyTheirDirection) {
  TDrayData Data;
  Data.SetRaw(TDrayKind::QLN, TDirection::Downstream, {"bin=   0: -140,-150,-141,-142,-143,-144,-145,-146,"});
  Data.SetRaw(TDrayKind::QLN, TDirection::Downstream, {"bin=   8: -130,-131,-132,-133,-134,-135,-136,-137,"});
  EXPECT_EQ(Data.QLNDSRaw().size(), 1u);
  EXPECT_TRUE(Data.QLNStatsDS()[0].IsNull());  // the old line is gone
  EXPECT_EQ(Data.QLNStatsDS()[8], TStatValue::Of(-130));
  EXPECT_TRUE(Data.QLNStatsUS()[0].IsUnassigned());
}

// Bins have a table of their own and no group sizes: asking for them as a
// "bin=" kind is refused before anything is touched.
TEST(DrayDataSplit, BinsAreNoStatKind) {
  TDrayData Data;
  EXPECT_THROW((void)Data.StatTable(TDrayKind::Bins, TDirection::Upstream), std::out_of_range);
  EXPECT_THROW((void)Data.Multipliers(TDrayKind::Bins), std::out_of_range);
  EXPECT_THROW(Data.SetStatData(TDrayKind::Bins, {" US: (dB)", "1 2 3 4", "x", " DS: (dB)", "5 6 7 8", "p"}),
               std::out_of_range);
  EXPECT_TRUE(Data.BinStatsUSRaw().empty());
  EXPECT_TRUE(Data.BinStatsDSRaw().empty());
}

} // namespace
