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
          "",
          " DS: (dB)",
          "bin=   0:  -20, -21, -22, -23, -24, -25, -26, -27,",
          "bin=   8:  -30, -31, -32, -33, -34, -35, -36, -37,",
          "DrayTek> "};
}

TEST(DrayDataSplit, HLogAnswerFillsBothDirections) {
  TDrayData Data("x");
  Data.SetHLogData(HLogAnswer());
  EXPECT_EQ(Data.HLogMultipliers(), (TStatMultipliers{8, 16}));
  EXPECT_EQ(Data.HLogUSRaw(), (TTextLines{HLogAnswer()[3], HLogAnswer()[4]}));
  EXPECT_EQ(Data.HLogDSRaw(), (TTextLines{HLogAnswer()[7], HLogAnswer()[8]}));
  EXPECT_EQ(Data.HLogStatsUS()[0], TStatValue::Of(-96));
  EXPECT_EQ(Data.HLogStatsUS()[15], TStatValue::Of(-87));
  EXPECT_TRUE(Data.HLogStatsUS()[16].IsNull());
  EXPECT_EQ(Data.HLogStatsDS()[9], TStatValue::Of(-31));
  EXPECT_TRUE(Data.QLNStatsDS()[9].IsUnassigned());
}

} // namespace
