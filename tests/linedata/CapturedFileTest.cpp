// Snapshots from captured text files: byte order marks, the code page of files
// without one, and the "UPSTREAM :" split of the bins file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "DrayData.h"
#include "InputFile.h"
#include "TestFiles.h"

namespace {

const char *const HLogText =
    "DrayTek> vdsl status hlog\r\n"
    "  GroupSize  :   8   8\r\n"
    " US: (dB)\r\n"
    "bin=   0:  -11, -12,    , -14, -15, -16, -17, -18,\r\n"
    "\r\n"
    " DS: (dB)\r\n"
    "bin=   8:  -21, -22, -23, -24, -25, -26, -27, -28,\r\n"
    "bin=  16:  -31, -32, -33, -34, -35, -36, -37, -38,\r\n";

std::string Utf16(const std::string &AAscii, bool ALittleEndian) {
  std::string Out = ALittleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char C : AAscii) {
    Out += ALittleEndian ? C : '\0';
    Out += ALittleEndian ? '\0' : C;
  }
  return Out;
}

struct TEncodingCase {
  const char *Title;
  std::string Bytes;
};

class CapturedEncodings : public testing::TestWithParam<TEncodingCase> {};

TEST_P(CapturedEncodings, GiveTheSameTables) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("hlog.txt"), GetParam().Bytes);
  TDrayData Data("Loaded from file");
  Data.LoadHLogFromFile(Folder.Path("hlog.txt"));
  EXPECT_EQ(Data.HLogMultipliers(), (TStatMultipliers{8, 8}));
  EXPECT_EQ(Data.HLogUSRaw(), (TTextLines{"bin=   0:  -11, -12,    , -14, -15, -16, -17, -18,"}));
  EXPECT_EQ(Data.HLogStatsUS()[0], TStatValue::Of(-11));
  EXPECT_TRUE(Data.HLogStatsUS()[2].IsNull());
  EXPECT_EQ(Data.HLogStatsDS()[15], TStatValue::Of(-28));
  // The file's last line is a "bin=" line and, like the prompt, is not taken.
  EXPECT_TRUE(Data.HLogStatsDS()[16].IsNull());
  EXPECT_EQ(Data.HLogDSRaw().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CapturedEncodings,
    testing::Values(TEncodingCase{"Plain", HLogText}, TEncodingCase{"Utf8Bom", "\xEF\xBB\xBF" + std::string(HLogText)},
                    TEncodingCase{"Utf16LE", Utf16(HLogText, true)}, TEncodingCase{"Utf16BE", Utf16(HLogText, false)},
                    TEncodingCase{"LoneLineFeeds", "DrayTek> vdsl status hlog\n  GroupSize  :   8   8\n US: (dB)\n"
                                                   "bin=   0:  -11, -12,    , -14, -15, -16, -17, -18,\n\n DS: (dB)\n"
                                                   "bin=   8:  -21, -22, -23, -24, -25, -26, -27, -28,\n"
                                                   "bin=  16:  -31, -32, -33, -34, -35, -36, -37, -38,"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(CapturedFiles, TextWithoutMarkIsWindows1252AndMarkIsDropped) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("plain.txt"), "\x80 caf\xE9\r\n DS: (dB)\r\n\r\n");
  WriteBytes(Folder.Path("utf8.txt"), "\xEF\xBB\xBF\xE2\x82\xAC caf\xC3\xA9\r\n DS: (dB)\r\n\r\n");
  for (const char *Name : {"plain.txt", "utf8.txt"}) {
    TDrayData Data;
    Data.LoadQLNFromFile(Folder.Path(Name));
    EXPECT_EQ(Data.QLNDSRaw(), (TTextLines{"\xE2\x82\xAC caf\xC3\xA9", " DS: (dB)"})) << Name;
  }
}

TEST(CapturedFiles, EmptyNamesLeaveEverythingUntouched) {
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(vp17a);
  Data.LoadHLogFromFile("");
  Data.LoadQLNFromFile("");
  Data.LoadSNRFromFile("");
  Data.LoadBinsFromFile("");
  EXPECT_TRUE(Data.HLogStatsUS()[0].IsUnassigned());
  EXPECT_TRUE(Data.QLNStatsDS()[0].IsUnassigned());
  EXPECT_TRUE(Data.SNRStatsDS()[0].IsUnassigned());
  EXPECT_EQ(Data.ShowBinStatsDS()[0], TDrayBinEntry{});
  EXPECT_EQ(Data.SNRMultipliers(), (TStatMultipliers{0, 0}));
  EXPECT_EQ(Data.VDSLProfile(), vp17a);
}

TEST(CapturedFiles, MissingFileIsAnOpenError) {
  TTempFolder Folder;
  TDrayData Data;
  for (auto Load : {&TDrayData::LoadHLogFromFile, &TDrayData::LoadQLNFromFile, &TDrayData::LoadSNRFromFile,
                    &TDrayData::LoadBinsFromFile}) {
    try {
      (Data.*Load)(Folder.Path("gone.txt"));
      ADD_FAILURE() << "loaded";
    } catch (const EFOpenError &AError) {
      EXPECT_EQ(std::string(AError.what()),
                "Cannot open file \"" + Folder.Path("gone.txt") + "\". No such file or directory");
    }
  }
}

// An input beyond any real answer is refused with a clear message instead of
// being read into memory: a regular file at once, a device or pipe that goes
// on without end once it has passed the same bound. A snapshot file too.
TEST(CapturedFiles, InputsPastTheSizeBoundAreRefused) {
  TTempFolder Folder;
  const std::string Huge = Folder.Path("huge.txt");
  WriteBytes(Huge, "");
  std::filesystem::resize_file(Huge, TInputFile::MaxSize + 1); // sparse: costs no disk
  const std::function<void(TDrayData &, const std::string &)> Loads[] = {
      [](TDrayData &AData, const std::string &AName) { AData.LoadHLogFromFile(AName); },
      [](TDrayData &AData, const std::string &AName) { AData.LoadBinsFromFile(AName); },
      [](TDrayData &AData, const std::string &AName) { AData.LoadFromFile(AName); },
  };
  for (const std::string &Name : {Huge, std::string("/dev/zero")})
    for (const auto &Load : Loads) {
      TDrayData Data("kept");
      try {
        Load(Data, Name);
        ADD_FAILURE() << "loaded " << Name;
      } catch (const EFOpenError &AError) {
        EXPECT_EQ(std::string(AError.what()), "Cannot open file \"" + Name + "\". File too large");
      } catch (const ETonegraphError &AError) {
        // /dev/zero is no snapshot file from its first byte on
        EXPECT_EQ(Name, "/dev/zero") << AError.what();
      }
      EXPECT_EQ(Data.Name(), "kept");
    }
}

struct TBinsCase {
  const char *Title;
  std::string File;
  TTextLines US;
  TTextLines DS;
};

class CapturedBins : public testing::TestWithParam<TBinsCase> {};

TEST_P(CapturedBins, SplitAtTheFirstUpstreamMarker) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("bins.txt"), GetParam().File);
  TDrayData Data;
  Data.SetBinStatsDSRaw({"old ds"});
  Data.SetBinStatsUSRaw({"old us"});
  Data.LoadBinsFromFile(Folder.Path("bins.txt"));
  EXPECT_EQ(Data.BinStatsUSRaw(), GetParam().US);
  EXPECT_EQ(Data.BinStatsDSRaw(), GetParam().DS);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CapturedBins,
    testing::Values(
        TBinsCase{"Both", "DOWNSTREAM :\r\n1 2 3 4\r\nUPSTREAM :\r\n5 6 7 8\r\n",
                  {"UPSTREAM :", "5 6 7 8"}, {"DOWNSTREAM :", "1 2 3 4"}},
        TBinsCase{"Twice", "d\r\nUPSTREAM : a\r\nUPSTREAM : b\r\n", {"UPSTREAM : a", "UPSTREAM : b"}, {"d"}},
        TBinsCase{"MidLine", "d\r\nxx UPSTREAM :\r\nu\r\n", {"UPSTREAM :", "u"}, {"d", "xx "}},
        TBinsCase{"SmallLetters", "d\r\nupstream :\r\nu\r\n", {"old us"}, {"old ds"}},
        TBinsCase{"NoMarker", "d\r\n1 2 3 4\r\n", {"old us"}, {"old ds"}},
        TBinsCase{"AtTheStart", "UPSTREAM :\r\nu\r\n", {"UPSTREAM :", "u"}, {}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(CapturedBins, MarkerAtTheStartKeepsTheDownstreamTable) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("bins.txt"), "UPSTREAM :\r\n 7 30 -5 6\r\n");
  TDrayData Data;
  Data.SetBinStatsDSRaw({" 9 31 -6 7"});
  Data.LoadBinsFromFile(Folder.Path("bins.txt"));
  EXPECT_TRUE(Data.BinStatsDSRaw().empty());
  EXPECT_EQ(Data.ShowBinStatsDS()[9], (TDrayBinEntry{9, 31, -6, 7}));
  EXPECT_EQ(Data.ShowBinStatsUS()[7], (TDrayBinEntry{7, 30, -5, 6}));
}

// The generated captures of a 17A line, as the import command reads them.
TEST(CapturedFiles, Realistic17ALine) {
  TDrayData Data("Loaded from file");
  Data.LoadHLogFromFile(FixturePath("line17a-hlog.txt"));
  Data.LoadQLNFromFile(FixturePath("line17a-qln.txt"));
  Data.LoadSNRFromFile(FixturePath("line17a-snr.txt"));
  Data.LoadBinsFromFile(FixturePath("line17a-bins.txt"));
  for (const TStatMultipliers Sizes : {Data.HLogMultipliers(), Data.QLNMultipliers(), Data.SNRMultipliers()})
    EXPECT_EQ(Sizes, (TStatMultipliers{8, 8}));
  EXPECT_EQ(Data.HLogUSRaw().size(), 64u);
  EXPECT_EQ(Data.HLogDSRaw().size(), 64u);
  // Group 1 (tones 8-15) is upstream, group 4 (tones 32-39) downstream.
  EXPECT_TRUE(Data.HLogStatsUS()[1].HasValue());
  EXPECT_TRUE(Data.HLogStatsDS()[1].IsNull());
  EXPECT_TRUE(Data.HLogStatsDS()[4].HasValue());
  EXPECT_LT(Data.HLogStatsDS()[400].AsInteger(), Data.HLogStatsDS()[4].AsInteger());
  for (const TStatValue &Entry : Data.QLNStatsDS())
    ASSERT_NE(Entry, TStatValue::Of(-150));
  EXPECT_EQ(Data.BinStatsUSRaw().front(), "UPSTREAM :");
  EXPECT_EQ(Data.ShowBinStatsDS()[4095].Bin, 4095);
  EXPECT_EQ(Data.ShowBinStatsUS()[4095].Bin, 4095);
  EXPECT_GT(Data.ShowBinStatsDS()[100].ToneBits, 0);
  EXPECT_EQ(Data.ShowBinStatsUS()[100].ToneBits, 0);
}

} // namespace
