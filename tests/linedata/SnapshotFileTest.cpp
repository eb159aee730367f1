// Snapshot files: exact bytes, round trips, version 1, every read error and
// a save that fails without harming the file it was to replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "DrayData.h"
#include "FilerWriter.h"
#include "TestFiles.h"

namespace {

const std::string EmptyString = Bytes({0x12, 0, 0, 0, 0});

TEST(SnapshotFile, ExampleBytesOfAnEmpty17ASnapshot) {
  TTempFolder Folder;
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(vp17a);
  // A group size line alone sets the sizes and stores no raw line.
  for (auto Set : {&TDrayData::SetHLogData, &TDrayData::SetQLNData, &TDrayData::SetSNRData})
    (Data.*Set)({"GroupSize : 8 8"});
  ASSERT_TRUE(Data.HLogDSRaw().empty());
  Data.SaveToFile(Folder.Path("a.draydata"));
  std::string Expected = Bytes({0x06, 0x0E}) + "TONEGRAPHDATA2";
  for (int I = 0; I < 9; ++I)
    Expected += EmptyString;
  Expected += Bytes({0x06, 0x10}) + "Loaded from file" + Bytes({0x02, 0x07, 8, 8, 8, 8, 8, 8});
  EXPECT_EQ(ReadBytes(Folder.Path("a.draydata")), Expected);
}

void ExpectSameSnapshot(const TDrayData &A, const TDrayData &B) {
  EXPECT_EQ(A.Name(), B.Name());
  EXPECT_EQ(A.VDSLProfile(), B.VDSLProfile());
  EXPECT_EQ(A.Stats(), B.Stats());
  EXPECT_EQ(A.HLogUSRaw(), B.HLogUSRaw());
  EXPECT_EQ(A.HLogDSRaw(), B.HLogDSRaw());
  EXPECT_EQ(A.QLNUSRaw(), B.QLNUSRaw());
  EXPECT_EQ(A.QLNDSRaw(), B.QLNDSRaw());
  EXPECT_EQ(A.SNRUSRaw(), B.SNRUSRaw());
  EXPECT_EQ(A.SNRDSRaw(), B.SNRDSRaw());
  EXPECT_EQ(A.BinStatsUSRaw(), B.BinStatsUSRaw());
  EXPECT_EQ(A.BinStatsDSRaw(), B.BinStatsDSRaw());
  EXPECT_EQ(A.HLogMultipliers(), B.HLogMultipliers());
  EXPECT_EQ(A.QLNMultipliers(), B.QLNMultipliers());
  EXPECT_EQ(A.SNRMultipliers(), B.SNRMultipliers());
  EXPECT_TRUE(A.HLogStatsUS() == B.HLogStatsUS() && A.HLogStatsDS() == B.HLogStatsDS());
  EXPECT_TRUE(A.QLNStatsUS() == B.QLNStatsUS() && A.QLNStatsDS() == B.QLNStatsDS());
  EXPECT_TRUE(A.SNRStatsUS() == B.SNRStatsUS() && A.SNRStatsDS() == B.SNRStatsDS());
  EXPECT_TRUE(A.ShowBinStatsUS() == B.ShowBinStatsUS() && A.ShowBinStatsDS() == B.ShowBinStatsDS());
}

TEST(SnapshotFile, RoundTripOfARealisticSnapshot) {
  TTempFolder Folder;
  TDrayData Data("20261210-051500-DrayTek");
  const TTextLines Status = SplitText(ReadBytes(FixturePath("router-vdsl-status-17a.txt")));
  Data.AddStatData({"", " [ STATUS ]"}, &Status);
  Data.IdentifyVDSLProfile(Status);
  Data.LoadHLogFromFile(FixturePath("line17a-hlog.txt"));
  Data.LoadQLNFromFile(FixturePath("line17a-qln.txt"));
  Data.LoadSNRFromFile(FixturePath("line17a-snr.txt"));
  Data.LoadBinsFromFile(FixturePath("line17a-bins.txt"));
  Data.SaveToFile(Folder.Path("line.draydata"));

  TDrayData Loaded;
  Loaded.LoadFromFile(Folder.Path("line.draydata"));
  EXPECT_EQ(Loaded.DataVersion(), 2u);
  EXPECT_EQ(Loaded.VDSLProfile(), vp17a);
  ExpectSameSnapshot(Data, Loaded);
  EXPECT_FALSE(Loaded.HLogStatsDS()[100].IsUnassigned());
}

TEST(SnapshotFile, StringFormsFollowTheText) {
  TTempFolder Folder;
  TDrayData Data("n");
  Data.AddStatData({"Caf\xC3\xA9"}, nullptr);
  Data.SetBinStatsUSRaw({std::string(300, '-')});
  Data.SaveToFile(Folder.Path("s.draydata"));
  const std::string File = ReadBytes(Folder.Path("s.draydata"));
  const std::size_t Status = 2 + 14;
  EXPECT_EQ(File.substr(Status, 12), Bytes({0x14, 7, 0, 0, 0}) + "Caf\xC3\xA9\r\n");
  EXPECT_NE(File.find(Bytes({0x0C, 0x2E, 0x01, 0, 0}) + std::string(300, '-') + "\r\n"), std::string::npos);
  EXPECT_NE(File.find(Bytes({0x06, 0x01}) + "n" + Bytes({0x02, 0x00})), std::string::npos);
}

std::string Version1File(const std::string &AStatus) {
  TFilerWriter Writer;
  Writer.WriteString("TONEGRAPHDATA");
  Writer.WriteString(AStatus);
  Writer.WriteString("");
  Writer.WriteString("bin=   0:  -5, -6, -7, -8, -9,-10,-11,-12,\r\n");
  for (int I = 0; I < 6; ++I)
    Writer.WriteString("");
  Writer.WriteString("Old line");
  // Left-overs after the last item are not read.
  Writer.WriteInteger(3);
  return Writer.Bytes();
}

TEST(SnapshotFile, Version1TakesProfileFromStatusAndGroupSizesEight) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("v1.draydata"), Version1File(" [ STATUS ]\r\n  Running Mode   :   30A\r\n"));
  TDrayData Data;
  Data.LoadFromFile(Folder.Path("v1.draydata"));
  EXPECT_EQ(Data.DataVersion(), 1u);
  EXPECT_EQ(Data.VDSLProfile(), vp30a);
  EXPECT_EQ(Data.Name(), "Old line");
  EXPECT_EQ(Data.Stats(), (TTextLines{" [ STATUS ]", "  Running Mode   :   30A"}));
  for (const TStatMultipliers Sizes : {Data.HLogMultipliers(), Data.QLNMultipliers(), Data.SNRMultipliers()})
    EXPECT_EQ(Sizes, (TStatMultipliers{8, 8}));
  EXPECT_EQ(Data.HLogStatsDS()[7], TStatValue::Of(-12));
  EXPECT_TRUE(Data.HLogStatsUS()[0].IsNull());
  EXPECT_TRUE(Data.ShowBinStatsUS()[0] == TDrayBinEntry{});
}

std::string Version2Prefix() {
  TFilerWriter Writer;
  Writer.WriteString("TONEGRAPHDATA2");
  for (int I = 0; I < 9; ++I)
    Writer.WriteString("");
  return Writer.Bytes();
}

struct TBrokenCase {
  const char *Title;
  std::string Bytes;
  const char *Message;
};

class BrokenSnapshotFiles : public testing::TestWithParam<TBrokenCase> {};

TEST_P(BrokenSnapshotFiles, FailWithTheirMessage) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("broken.draydata"), GetParam().Bytes);
  TDrayData Data("before");
  try {
    Data.LoadFromFile(Folder.Path("broken.draydata"));
    FAIL() << "loaded";
  } catch (const ETonegraphError &AError) {
    EXPECT_STREQ(AError.what(), GetParam().Message);
  }
  // Nothing was stored before the error.
  EXPECT_EQ(Data.Name(), "before");
  EXPECT_EQ(Data.DataVersion(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenSnapshotFiles,
    testing::Values(
        TBrokenCase{"Empty", "", "Stream read error"},
        TBrokenCase{"FirstByteNoStringTag", Bytes({0x02, 0x05}), "Invalid property value"},
        TBrokenCase{"SmallLetterSignature", Bytes({0x06, 0x0E}) + "tonegraphdata2", "Not a valida 'DrayData' file"},
        TBrokenCase{"ConfigurationFile", Bytes({0x06, 0x0A}) + "TONEGRAPH2" + Bytes({0x06, 0x01}) + "x",
                    "Not a valida 'DrayData' file"},
        TBrokenCase{"CutInsideSignature", Bytes({0x06, 0x0E}) + "TONEGRAPH", "Stream read error"},
        TBrokenCase{"CutInsideName", Version2Prefix() + Bytes({0x06, 0x10}) + "Loaded", "Stream read error"},
        TBrokenCase{"CutBeforeProfile", Version2Prefix() + Bytes({0x06, 0x01}) + "n", "Stream read error"},
        TBrokenCase{"CutInsideGroupSizes", Version2Prefix() + Bytes({0x06, 0x01}) + "n" + Bytes({0x02, 7, 8, 8, 8}),
                    "Stream read error"},
        TBrokenCase{"ProfileNotAnInteger", Version2Prefix() + Bytes({0x06, 0x01}) + "n" + Bytes({0x09, 8, 8, 8, 8, 8, 8}),
                    "Invalid property value"},
        TBrokenCase{"NegativeLength", Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}) + "TONEGRAPHDATA2", "Stream read error"},
        TBrokenCase{"LengthPastTheEnd", Bytes({0x14, 0xFF, 0xFF, 0xFF, 0x7F}) + "TONEGRAPHDATA2", "Stream read error"},
        TBrokenCase{"WideCountPastTheEnd", Bytes({0x12, 0x00, 0x00, 0x00, 0x40, 'T', 0}), "Stream read error"},
        TBrokenCase{"Version1WithoutRunningMode", Version1File("no mode here\r\n"),
                    "Unable to retrieve profile from VDSL data"},
        TBrokenCase{"Version1WithUnknownMode", Version1File("Running Mode : 8D\r\n"),
                    "Unable to retrieve profile from VDSL data"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(SnapshotFile, ProfileOutsideTheTableLoadsAsNA) {
  TTempFolder Folder;
  for (const int Ordinal : {10, 265, -1, 9}) {
    TFilerWriter Tail;
    Tail.WriteString("n");
    Tail.WriteInteger(Ordinal);
    WriteBytes(Folder.Path("p.draydata"), Version2Prefix() + Tail.Bytes() + Bytes({8, 8, 8, 8, 8, 8}));
    TDrayData Data;
    Data.LoadFromFile(Folder.Path("p.draydata"));
    EXPECT_EQ(Data.VDSLProfile(), Ordinal == 9 ? vp35b : vpNA) << Ordinal;
  }
}

TEST(SnapshotFile, NumberTooLargeInRawTextIsAConversionError) {
  TTempFolder Folder;
  TDrayData Data;
  TFilerWriter Writer;
  Writer.WriteString("TONEGRAPHDATA2");
  Writer.WriteString("");
  Writer.WriteString("bin=   0:  1, 99999999999, 3, 4, 5, 6, 7, 8,\r\n");
  for (int I = 0; I < 7; ++I)
    Writer.WriteString("");
  Writer.WriteString("n");
  Writer.WriteInteger(7);
  Writer.WriteRawBytes("\x08\x08\x08\x08\x08\x08", 6);
  WriteBytes(Folder.Path("n.draydata"), Writer.Bytes());
  try {
    Data.LoadFromFile(Folder.Path("n.draydata"));
    FAIL() << "loaded";
  } catch (const EConvertError &AError) {
    EXPECT_STREQ(AError.what(), "'99999999999' is not a valid integer value");
  }
}

TEST(SnapshotFile, OpenErrorsNameTheFullFileAndTheReason) {
  TTempFolder Folder;
  TDrayData Data;
  try {
    Data.LoadFromFile(Folder.Path("missing.draydata"));
    FAIL() << "loaded";
  } catch (const EFOpenError &AError) {
    EXPECT_EQ(std::string(AError.what()),
              "Cannot open file \"" + Folder.Path("missing.draydata") + "\". No such file or directory");
  }
  try {
    Data.LoadFromFile(Folder.Folder().string());
    FAIL() << "loaded a folder";
  } catch (const EFOpenError &AError) {
    EXPECT_EQ(std::string(AError.what()), "Cannot open file \"" + Folder.Folder().string() + "\". Is a directory");
  }
  Data.LoadFromFile("");  // an empty name does nothing
  EXPECT_EQ(Data.DataVersion(), 0u);
}

TEST(SnapshotSave, ReplacesTheTargetAndLeavesNoOtherFile) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("t.draydata"), "old contents");
  TDrayData Data("new");
  Data.SaveToFile(Folder.Path("t.draydata"));
  EXPECT_EQ(Folder.Listing(), "t.draydata;");
  TDrayData Loaded;
  Loaded.LoadFromFile(Folder.Path("t.draydata"));
  EXPECT_EQ(Loaded.Name(), "new");
}

// Saving through a symbolic link writes the file it points to, whether that
// file exists yet or not, and leaves the link a link.
TEST(SnapshotSave, ThroughASymbolicLinkWritesItsTarget) {
  struct TCase {
    const char *Name;
    std::vector<std::pair<std::string, std::string>> Links; // link, what it points to
    bool TargetExists;
  };
  const TCase Cases[] = {
      {"ToAnExistingFile", {{"link.draydata", "real.draydata"}}, true},
      {"Dangling", {{"link.draydata", "real.draydata"}}, false},
      {"IntoASubfolder", {{"link.draydata", "sub/real.draydata"}}, false},
      {"ChainOfTwo", {{"link.draydata", "middle.draydata"}, {"middle.draydata", "real.draydata"}}, false},
  };
  for (const TCase &Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TTempFolder Folder;
    std::filesystem::create_directory(Folder.Path("sub"));
    const std::string Real = Folder.Path(Case.Links.back().second);
    if (Case.TargetExists)
      WriteBytes(Real, "old contents");
    for (const auto &[Link, Target] : Case.Links)
      std::filesystem::create_symlink(Target, Folder.Path(Link));
    TDrayData Data("through the link");
    Data.SaveToFile(Folder.Path("link.draydata"));
    EXPECT_TRUE(std::filesystem::is_symlink(Folder.Path("link.draydata")));
    TDrayData Loaded;
    Loaded.LoadFromFile(Real);
    EXPECT_EQ(Loaded.Name(), "through the link");
  }
}

// A device or pipe cannot be replaced by a new file; it is written to.
TEST(SnapshotSave, TargetThatIsNoRegularFileIsWrittenDirectly) {
  TDrayData Data("to the bin");
  Data.SaveToFile("/dev/null");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST(SnapshotSave, CreationErrors) {
  TTempFolder Folder;
  TDrayData Data("x");
  struct TCase {
    std::string Filename;
    std::string Message;
  };
  const TCase Cases[] = {
      {Folder.Path("no-such-folder/t.draydata"),
       "Cannot create file \"" + Folder.Path("no-such-folder/t.draydata") + "\". No such file or directory"},
      {Folder.Folder().string(), "Cannot create file \"" + Folder.Folder().string() + "\". Is a directory"},
      {"", "Cannot create file \"\". No such file or directory"},
  };
  for (const TCase &Case : Cases) {
    try {
      Data.SaveToFile(Case.Filename);
      ADD_FAILURE() << "saved " << Case.Filename;
    } catch (const EFCreateError &AError) {
      EXPECT_EQ(AError.what(), Case.Message);
    }
  }
  EXPECT_EQ(Folder.Listing(), "");
}

// A full disk, made by a file size limit: the old file survives untouched and
// the half-written new one is removed.
TEST(SnapshotSave, FailedWriteKeepsTheExistingFile) {
  TTempFolder Folder;
  const std::string Target = Folder.Path("keep.draydata");
  WriteBytes(Target, "precious");
  TDrayData Data("big");
  Data.SetBinStatsUSRaw(TTextLines(2000, "   1   40   0 10 *    2   41   0 10"));

  const std::string Message = WriteErrorOnAFullDisk(10000, [&] { Data.SaveToFile(Target); });

  EXPECT_EQ(Message, "Stream write error");
  EXPECT_EQ(ReadBytes(Target), "precious");
  EXPECT_EQ(Folder.Listing(), "keep.draydata;");
}

// A folder the user may not write into: the save says so, and the file
// already there stays as it was.
TEST(SnapshotSave, ReadOnlyFolderKeepsTheExistingFile) {
  TTempFolder Folder;
  const std::string Target = Folder.Path("keep.draydata");
  WriteBytes(Target, "precious");
  TDrayData Data("other");
  Data.SetBinStatsUSRaw(TTextLines(20, "   1   40   0 10 *    2   41   0 10"));

  const std::string Message = ErrorInAReadOnlyFolder(Folder.Folder(), [&] { Data.SaveToFile(Target); });

  EXPECT_EQ(Message.rfind("Cannot create file \"", 0), 0u) << Message;
  EXPECT_NE(Message.find("Permission denied"), std::string::npos) << Message;
  EXPECT_EQ(ReadBytes(Target), "precious");
  EXPECT_EQ(Folder.Listing(), "keep.draydata;");
}

} // namespace
