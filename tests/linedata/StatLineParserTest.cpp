// The "bin=" line parsers and the group size reader.
#include <gtest/gtest.h>

#include <map>

#include "DrayData.h"
#include "TestFiles.h"

namespace {

using TExpected = std::map<int, TStatValue>;
const TStatValue Null = TStatValue::Null();
TStatValue V(std::int32_t AValue) { return TStatValue::Of(AValue); }

struct TLineCase {
  const char *Title;
  const char *Line;
  TExpected Entries;  // every other entry stays unassigned
};

class StatLineCases : public testing::TestWithParam<TLineCase> {};

TEST_P(StatLineCases, HLogLineWritesExactlyTheseEntries) {
  TDrayStatArray Table{};
  TDrayData::ParseHLogLine(GetParam().Line, Table);
  for (int I = 0; I < DrayStatCount; ++I) {
    const auto Found = GetParam().Entries.find(I);
    const TStatValue Expected = Found == GetParam().Entries.end() ? TStatValue() : Found->second;
    EXPECT_EQ(Table[I], Expected) << "entry " << I;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StatLineCases,
    testing::Values(
        TLineCase{"EmptyValueIsNull", "bin=  16:  -20, -21,    , -23, -24, -25, -26, -27,",
                  {{16, V(-20)}, {17, V(-21)}, {18, Null}, {19, V(-23)}, {20, V(-24)}, {21, V(-25)}, {22, V(-26)}, {23, V(-27)}}},
        TLineCase{"TrailingEmptyValuesAreNotVisited", "bin= 504:  -30, -31,,,,,,,", {{504, V(-30)}, {505, V(-31)}}},
        TLineCase{"AllEmptyWritesNothing", "bin=   8:     ,     ,     ,     ,     ,     ,     ,     ,", {}},
        TLineCase{"GapBeforeLastValue", "bin=   0:   ,,,,,,, 7,", {{0, Null}, {1, Null}, {2, Null}, {3, Null}, {4, Null}, {5, Null}, {6, Null}, {7, V(7)}}},
        TLineCase{"NoBlankAfterColonIgnored", "bin=  16:-20, -21, -22, -23, -24, -25, -26, -27,", {}},
        TLineCase{"SevenCommasIgnored", "bin=  16:  -20, -21, -22, -23, -24, -25, -26", {}},
        TLineCase{"MinusOneFiftyStaysInHLog", "bin=   0: -150, 0, 2147483647, -2147483648,,,,,",
                  {{0, V(-150)}, {1, V(0)}, {2, V(2147483647)}, {3, V(-2147483648)}}},
        TLineCase{"FoundInsideLongerText", "xx bin=2:  5, 6, 7, 8, 9, 10, 11, 12, yy",
                  {{2, V(5)}, {3, V(6)}, {4, V(7)}, {5, V(8)}, {6, V(9)}, {7, V(10)}, {8, V(11)}, {9, V(12)}}},
        TLineCase{"IndexesPastTheTableAreDropped", "bin= 510:  1, 2, 3, 4, 5, 6, 7, 8,", {{510, V(1)}, {511, V(2)}}},
        TLineCase{"FirstGroupFarPastTheTable", "bin= 2147483647:  1, 2, 3, 4, 5, 6, 7, 8,", {}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(StatLineParser, FirstGroupBeyond32BitsIsAConversionError) {
  TDrayStatArray Table{};
  try {
    TDrayData::ParseSNRLine("bin= 12345678901:  1, 2, 3, 4, 5, 6, 7, 8,", Table);
    FAIL() << "no error";
  } catch (const EConvertError &AError) {
    EXPECT_STREQ(AError.what(), "'12345678901' is not a valid integer value");
  }
}

TEST(StatLineParser, ValueBeyond32BitsIsAConversionError) {
  TDrayStatArray Table{};
  EXPECT_THROW(TDrayData::ParseHLogLine("bin=   0:  1, 2147483648, 3, 4, 5, 6, 7, 8,", Table), EConvertError);
  EXPECT_EQ(Table[0], V(1));  // written before the bad value
}

TEST(StatLineParser, OnlyQLNTakesMinusOneFiftyForNoValue) {
  const char *Line = "bin=   0: -149, -150, -151,,,,,,";
  TDrayStatArray HLog{}, QLN{}, SNR{};
  TDrayData::ParseHLogLine(Line, HLog);
  TDrayData::ParseQLNLine(Line, QLN);
  TDrayData::ParseSNRLine(Line, SNR);
  EXPECT_EQ(QLN[0], V(-149));
  EXPECT_EQ(QLN[1], Null);
  EXPECT_EQ(QLN[2], V(-151));
  EXPECT_EQ(HLog[1], V(-150));
  EXPECT_EQ(SNR[1], V(-150));
}

TEST(StatRebuild, ResetsToNullAndLaterLinesWin) {
  TDrayData Data;
  Data.SetRaw(TDrayKind::HLog, TDirection::Upstream, {"bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,", "header without values",
                     "bin=   0:  -9,   , -9,,,,,,"});
  const TDrayStatArray &Table = Data.HLogStatsUS();
  EXPECT_EQ(Table[0], V(-9));
  EXPECT_EQ(Table[1], Null);
  EXPECT_EQ(Table[2], V(-9));
  EXPECT_EQ(Table[3], V(-4));  // not visited by the later line
  for (int I = 8; I < DrayStatCount; ++I)
    ASSERT_TRUE(Table[I].IsNull()) << I;
}

// Text whose table cannot be built is not kept: a snapshot saved afterwards
// must load again. Each way of setting a kind's text goes back to what the
// kind held, tables and group sizes included, and the failure passes on.
TEST(StatRebuild, ConversionErrorLeavesTheKindAsItWas) {
  const TTextLines Good = {"bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,"};
  const TTextLines Bad = {"bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,", "bin= 99999999999:  1, 2, 3, 4, 5, 6, 7, 8,"};
  const TTextLines GoodAnswer = {"vdsl status snr", " GroupSize  :   8   8", " US: (dB)", "bin=   0:  1, 2, 3, 4, 5, 6, 7, 8,",
                                 " DS: (dB)", "bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,", "DrayTek> "};
  // Other group sizes, and one value past 32 bits before the prompt.
  const TTextLines BadAnswer = {"vdsl status snr", " GroupSize  :   16   16", " US: (dB)",
                                "bin=   0:  1, 2, 3, 4, 5, 6, 7, 8,", " DS: (dB)",
                                "bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,",
                                "bin=  8: 1, 99999999999, 3, 4, 5, 6, 7, 8,", "DrayTek> "};

  TDrayData Data;
  Data.SetSNRData(GoodAnswer);
  const TTextLines UpBefore = Data.SNRUSRaw(), DownBefore = Data.SNRDSRaw();
  const TStatMultipliers GroupsBefore = Data.SNRMultipliers();
  ASSERT_EQ(Data.SNRStatsDS()[7], V(-8));
  EXPECT_THROW(Data.SetSNRData(BadAnswer), EConvertError);
  EXPECT_EQ(Data.SNRUSRaw(), UpBefore);
  EXPECT_EQ(Data.SNRDSRaw(), DownBefore);
  EXPECT_EQ(Data.SNRMultipliers(), GroupsBefore);
  EXPECT_EQ(Data.SNRStatsDS()[7], V(-8));

  EXPECT_THROW(Data.SetRaw(TDrayKind::SNR, TDirection::Downstream, Bad), EConvertError);
  EXPECT_EQ(Data.SNRDSRaw(), DownBefore);
  Data.SetRaw(TDrayKind::SNR, TDirection::Downstream, Good); // the lock was released: another writer gets through
  EXPECT_EQ(Data.SNRDSRaw(), Good);

  TTempFolder Folder;
  Data.SaveToFile(Folder.Path("kept.draydata"));
  TDrayData Loaded;
  Loaded.LoadFromFile(Folder.Path("kept.draydata"));
  EXPECT_EQ(Loaded.SNRDSRaw(), Good);
}

TEST(GroupSize, ReadsTheFirstGroupSizeLine) {
  struct TCase {
    const char *Text;
    TStatMultipliers Expected;
  };
  const TCase Cases[] = {
      {"no group size here\r\n", {0, 0}},
      {"  GroupSize  :   8   16\r\n", {8, 16}},
      {"GroupSize : 264 8\r\n", {8, 8}},
      {"GroupSize\r\n:\r\n4\r\n2\r\n", {4, 2}},
      {"GroupSize : 8 8\r\nGroupSize : 16 16\r\n", {8, 8}},
      {"bin= 0: 1,\r\n GroupSize : 16 16\r\n", {16, 16}},
      {"GroupSize: 8 8\r\n", {0, 0}},
      {"groupsize : 8 8\r\n", {0, 0}},
      {"GroupSize : 99999999999 8\r\n", {0, 8}},
  };
  for (const TCase &Case : Cases)
    EXPECT_EQ(TDrayData::ParseGroupSize(Case.Text), Case.Expected) << Case.Text;
}

} // namespace
