// What each rebuild made of its raw lines: the lines it read and the lines
// it did not recognise, so that a caller can warn about a file that gave
// nothing.
#include <gtest/gtest.h>

#include "DrayData.h"
#include "TestFiles.h"

namespace {

struct TRawCase {
  const char *Title;
  TDrayKind Kind;
  TDirection Direction;
  TTextLines Lines;
  TParseCounts Expected;
};

class ParseCountsOfRawLines : public testing::TestWithParam<TRawCase> {};

TEST_P(ParseCountsOfRawLines, CountReadAndUnrecognisedLines) {
  const TRawCase &Case = GetParam();
  const TDirection Other = Case.Direction == TDirection::Upstream ? TDirection::Downstream : TDirection::Upstream;
  TDrayData Data;
  Data.SetRaw(Case.Kind, Case.Direction, {"bin=   0:  1, 2, 3, 4, 5, 6, 7, 8,", "9 10 11 12", "x"});
  Data.SetRaw(Case.Kind, Case.Direction, Case.Lines);
  EXPECT_EQ(Data.ParseCounts(Case.Kind, Case.Direction), Case.Expected);
  EXPECT_EQ(Data.ParseCounts(Case.Kind, Other), TParseCounts{});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCountsOfRawLines,
    testing::Values(
        TRawCase{"HLogValuesAmongOtherLines", TDrayKind::HLog, TDirection::Upstream,
                 {"bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,", "", " \t", "bin=   8:  -9,-10,-11,-12,-13,-14,-15,",
                  "Tone Group Count : 512"},
                 {1, 2}},
        TRawCase{"QLNLineOfEmptyValuesIsRead", TDrayKind::QLN, TDirection::Downstream,
                 {"bin= 504:     ,     ,     ,     ,     ,     ,     ,     ,"}, {1, 0}},
        TRawCase{"SNRLineWithoutBlankAfterColon", TDrayKind::SNR, TDirection::Downstream,
                 {"bin=   0:1, 2, 3, 4, 5, 6, 7, 8,"}, {0, 1}},
        TRawCase{"GroupPastTheTableIsReadAndIgnored", TDrayKind::HLog, TDirection::Downstream,
                 {"bin= 600:  1, 2, 3, 4, 5, 6, 7, 8,"}, {1, 0}},
        TRawCase{"BinsHeadersRulesAndPrompt", TDrayKind::Bins, TDirection::Downstream,
                 {"DOWNSTREAM :", "-------", " Bin  SNR Gain Bi -  Bin  SNR Gain Bi", "       dB .1dB ts -        dB .1dB ts",
                  "   0    0    0  0 *     1    0    0  0", "  12   35  -40  9", "DrayTek> "},
                 {2, 5}},
        TRawCase{"BinsToneBeyondTheTable", TDrayKind::Bins, TDirection::Upstream, {"9000 1 2 3"}, {1, 0}},
        TRawCase{"BinsLinesAreNoStatLines", TDrayKind::SNR, TDirection::Upstream, {"  12   35  -40  9"}, {0, 1}},
        TRawCase{"Empty", TDrayKind::QLN, TDirection::Upstream, {}, {0, 0}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(ParseCounts, AppendedAnswersAreCountedTogether) {
  const TTextLines Answer = {"vdsl status snr", " US: (dB)", "bin=   0:  1, 2, 3, 4, 5, 6, 7, 8,", "", " DS: (dB)",
                             "bin=   0:  9, 9, 9, 9, 9, 9, 9, 9,", "not a value line", "DrayTek> "};
  TDrayData Data;
  Data.SetSNRData(Answer);
  EXPECT_EQ(Data.ParseCounts(TDrayKind::SNR, TDirection::Upstream), (TParseCounts{1, 0}));
  EXPECT_EQ(Data.ParseCounts(TDrayKind::SNR, TDirection::Downstream), (TParseCounts{1, 1}));
  Data.SetSNRData(Answer);
  EXPECT_EQ(Data.ParseCounts(TDrayKind::SNR, TDirection::Downstream), (TParseCounts{2, 2}));
  EXPECT_EQ(Data.ParseCounts(TDrayKind::HLog, TDirection::Downstream), TParseCounts{});
}

// Real answers give their values; a file of another kind, or no router text
// at all, gives none. The marker split has already set aside the echo,
// headers and prompt of an HLog, QLN or SNR answer; the bins listing keeps
// its headers, rules and prompts.
struct TFileCase {
  const char *Title;
  TDrayKind Kind;
  const char *File;
  TParseCounts US, DS, FromFile;
};

TParseCounts LoadCapture(TDrayData &AData, TDrayKind AKind, const std::string &AFilename) {
  switch (AKind) {
  case TDrayKind::HLog: return AData.LoadHLogFromFile(AFilename);
  case TDrayKind::QLN: return AData.LoadQLNFromFile(AFilename);
  case TDrayKind::SNR: return AData.LoadSNRFromFile(AFilename);
  case TDrayKind::Bins: break;
  }
  return AData.LoadBinsFromFile(AFilename);
}

class ParseCountsOfCapturedFiles : public testing::TestWithParam<TFileCase> {};

TEST_P(ParseCountsOfCapturedFiles, TellWhatTheFileGave) {
  const TFileCase &Case = GetParam();
  TDrayData Data("Loaded from file");
  EXPECT_EQ(LoadCapture(Data, Case.Kind, FixturePath(Case.File)), Case.FromFile);
  EXPECT_EQ(Data.ParseCounts(Case.Kind, TDirection::Upstream), Case.US);
  EXPECT_EQ(Data.ParseCounts(Case.Kind, TDirection::Downstream), Case.DS);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParseCountsOfCapturedFiles,
    testing::Values(
        TFileCase{"HLogAnswer", TDrayKind::HLog, "line17a-hlog.txt", {64, 0}, {64, 0}, {128, 0}},
        TFileCase{"QLNAnswer", TDrayKind::QLN, "line17a-qln.txt", {64, 0}, {64, 0}, {128, 0}},
        TFileCase{"SNRAnswer", TDrayKind::SNR, "line17a-snr.txt", {64, 0}, {64, 0}, {128, 0}},
        // Upstream: marker, rule, two headers, rule, final prompt. Downstream:
        // echo, marker, rule, two headers, rule, prompt, the next command.
        TFileCase{"BinsListing", TDrayKind::Bins, "line17a-bins.txt", {1024, 6}, {1024, 8}, {2048, 14}},
        // No markers: all but the last line land downstream, none is read.
        TFileCase{"ReadmeAsSNR", TDrayKind::SNR, "README.linedata.md", {0, 0}, {0, 7}, {0, 7}},
        TFileCase{"StatusTextAsHLog", TDrayKind::HLog, "router-vdsl-status-17a.txt", {0, 0}, {0, 16}, {0, 16}},
        TFileCase{"BinsListingAsQLN", TDrayKind::QLN, "line17a-bins.txt", {0, 0}, {0, 2061}, {0, 2061}},
        // Without "UPSTREAM :" nothing is parsed and every line is unrecognised.
        TFileCase{"ReadmeAsBins", TDrayKind::Bins, "README.linedata.md", {0, 0}, {0, 0}, {0, 8}},
        TFileCase{"StatusTextAsBins", TDrayKind::Bins, "router-vdsl-status-17a.txt", {0, 0}, {0, 0}, {0, 17}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

// The start of a real router's listing, its runs of blanks merged: echo,
// marker, rule, two headers and a rule, then 19 lines of quadruples.
TEST(ParseCounts, RealBinsListing) {
  TDrayData Data;
  Data.SetBinStatsDSRaw(SplitText(ReadBytes(FixturePath("router-showbins-collapsed.txt"))));
  EXPECT_EQ(Data.ParseCounts(TDrayKind::Bins, TDirection::Downstream), (TParseCounts{19, 6}));
  EXPECT_EQ(Data.ShowBinStatsDS()[73], (TDrayBinEntry{73, 54, 0, 14}));
}

TEST(ParseCounts, EmptyFileNameGivesNothing) {
  TDrayData Data;
  for (const TDrayKind Kind : DrayKinds)
    EXPECT_EQ(LoadCapture(Data, Kind, ""), TParseCounts{});
}

} // namespace
