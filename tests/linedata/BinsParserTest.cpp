// The bins listing: quadruples of tone, SNR, gain and bits, several per line.
#include <gtest/gtest.h>

#include "DrayData.h"
#include "TestFiles.h"

namespace {

TDrayBinEntry Entry(std::uint16_t ABin, std::int16_t ASNR, std::int16_t AGain, std::int8_t ABits) {
  return TDrayBinEntry{ABin, ASNR, AGain, ABits};
}

TEST(BinsParser, EveryQuadrupleOfALineFillsItsTone) {
  TDrayBinArray Table{};
  TDrayData::ParseBinStatsLine("  12   35  -40  9 *   13   36  -41 10", Table);
  EXPECT_EQ(Table[12], Entry(12, 35, -40, 9));
  EXPECT_EQ(Table[13], Entry(13, 36, -41, 10));
  EXPECT_EQ(Table[14], TDrayBinEntry{});
}

TEST(BinsParser, LinesWithoutFourNumbersChangeNothing) {
  TDrayBinArray Table{};
  for (const char *Line : {"DOWNSTREAM :", "-----------", " Bin  SNR Gain Bi -  Bin", "       dB .1dB ts -", "1 2 3", "",
                           "5 -6 7 8"})
    TDrayData::ParseBinStatsLine(Line, Table);
  for (const TDrayBinEntry &E : Table)
    ASSERT_EQ(E, TDrayBinEntry{});
}

TEST(BinsParser, NumbersKeepTheirLowBitsAndTonesWrapAt65536) {
  struct TCase {
    const char *Line;
    int Index;
    TDrayBinEntry Expected;
  };
  const TCase Cases[] = {
      {"7 70000 -32769 300", 7, Entry(7, 4464, 32767, 44)},
      {"65548 1 2 3", 12, Entry(12, 1, 2, 3)},
      {"8 99999999999 5 6", 8, Entry(8, 0, 5, 6)},  // too large: default 0
  };
  for (const TCase &Case : Cases) {
    TDrayBinArray Table{};
    TDrayData::ParseBinStatsLine(Case.Line, Table);
    EXPECT_EQ(Table[Case.Index], Case.Expected) << Case.Line;
  }
}

TEST(BinsParser, TonesPastTheTableAreIgnored) {
  TDrayBinArray Table{};
  TDrayData::ParseBinStatsLine("8191 1 2 3 * 8192 4 5 6 * 65535 7 8 9", Table);
  EXPECT_EQ(Table[8191], Entry(8191, 1, 2, 3));
  EXPECT_EQ(Table[0], TDrayBinEntry{});
}

TEST(BinsParser, ToneBeyond32BitsIsAConversionError) {
  TDrayBinArray Table{};
  EXPECT_THROW(TDrayData::ParseBinStatsLine("1 1 1 1 * 12345678901 2 2 2", Table), EConvertError);
  EXPECT_EQ(Table[1], Entry(1, 1, 1, 1));
}

TEST(BinsRebuild, ShorterListingKeepsEntriesItDoesNotName) {
  TDrayData Data;
  Data.SetBinStatsDSRaw({"10 40 5 8 * 11 41 6 9", "12 42 7 10"});
  Data.SetBinStatsDSRaw({"11 30 -5 4"});
  EXPECT_EQ(Data.ShowBinStatsDS()[10], Entry(10, 40, 5, 8));
  EXPECT_EQ(Data.ShowBinStatsDS()[11], Entry(11, 30, -5, 4));
  EXPECT_EQ(Data.ShowBinStatsDS()[12], Entry(12, 42, 7, 10));
  EXPECT_EQ(Data.ShowBinStatsUS()[10], TDrayBinEntry{});
}

// A listing that fails part way (a tone beyond 32 bits) is not kept, and
// neither is what its first lines wrote: the table stays as it was, so what
// is saved loads back to what is shown. Found by the captured-text fuzzer.
TEST(BinsRebuild, FailedListingLeavesTheTableAsItWas) {
  TDrayData Data;
  Data.SetBinStatsDSRaw({"10 40 5 8 * 11 41 6 9"});
  const TDrayBinArray Before = Data.ShowBinStatsDS();
  EXPECT_THROW(Data.SetBinStatsDSRaw({"20 30 1 4 * 21 31 2 5", "12345678901 2 2 2"}), EConvertError);
  EXPECT_EQ(Data.ShowBinStatsDS(), Before);
  EXPECT_EQ(Data.BinStatsDSRaw(), TTextLines{"10 40 5 8 * 11 41 6 9"});
  TTempFolder Folder;
  Data.SaveToFile(Folder.Path("bins.draydata"));
  TDrayData Loaded;
  Loaded.LoadFromFile(Folder.Path("bins.draydata"));
  EXPECT_EQ(Loaded.ShowBinStatsDS(), Data.ShowBinStatsDS());
}

// A real listing whose blanks were collapsed and whose fields are separated by
// "*": every tone of lines 7 to 25 is found.
TEST(BinsRebuild, RealListingWithCollapsedBlanks) {
  TDrayData Data;
  Data.LoadBinsFromFile(FixturePath("router-showbins-collapsed.txt"));
  // Without "UPSTREAM :" the file stores nothing.
  EXPECT_TRUE(Data.BinStatsDSRaw().empty());
  TDrayBinArray Table{};
  for (const std::string_view Line : SplitText(ReadBytes(FixturePath("router-showbins-collapsed.txt"))))
    TDrayData::ParseBinStatsLine(Line, Table);
  EXPECT_EQ(Table[5], Entry(5, 47, 0, 0));
  EXPECT_EQ(Table[33], Entry(33, 57, 15, 9));
  EXPECT_EQ(Table[39], Entry(39, 59, -19, 11));
  EXPECT_EQ(Table[73], Entry(73, 54, 0, 14));
  EXPECT_EQ(Table[74], TDrayBinEntry{});
}

} // namespace
