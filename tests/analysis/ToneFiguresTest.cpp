// Bit loading and SNR figures from small hand-made captured answers.
#include <gtest/gtest.h>

#include "CapturedFiles.h"
#include "DrayData.h"
#include "LineAnalysis.h"
#include "TestFiles.h"

namespace {

// Downstream: bits 0, 9, 10, 12, 15, 3, 0, 2 (six tones, 51 bits, at most 15).
// Upstream: bits 4, 5, 0, 7 (three tones, 16 bits, at most 7).
const char *const BinsListing =
    "DrayTek> vdsl showbins\r\n"
    "DOWNSTREAM :\r\n"
    "-----------------------------------------------------------------------------\r\n"
    " Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi\r\n"
    "       dB .1dB ts -        dB .1dB ts -        dB .1dB ts -        dB .1dB ts\r\n"
    "---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- --\r\n"
    "  32   40    0  0 *    33   45   15  9 *    34   46    0 10 *    35   47  -19 12\r\n"
    "  36   47    0 15 *    37   30    0  3 *    38    0    0  0 *    39   12    0  2\r\n"
    "DrayTek> vdsl showbins up\r\n"
    "UPSTREAM :\r\n"
    "-----------------------------------------------------------------------------\r\n"
    "   6   30    0  4 *     7   31    0  5 *     8   20    0  0 *     9   33    0  7\r\n"
    "DrayTek> \r\n";

// Upstream 10, 12, 14; downstream 0, 30, 40, 21 (a 0 is a value too).
const char *const SNRAnswer = "DrayTek> vdsl status snr\r\n"
                              "  GroupSize      :     8     8\r\n"
                              " US: (dB)\r\n"
                              "bin=   0:     ,   10,   12,     ,   14,     ,     ,     ,\r\n"
                              "\r\n"
                              " DS: (dB)\r\n"
                              "bin=   8:    0,   30,   40,   21,     ,     ,     ,     ,\r\n"
                              "DrayTek> \r\n";

struct TCapture {
  TTempFolder Folder;
  TCapturedFiles Files;

  TCapture(const char *ABins, const char *ASNR) {
    if (ABins) {
      Files.Bins = Folder.Path("bins.txt");
      WriteBytes(Files.Bins, ABins);
    }
    if (ASNR) {
      Files.SNR = Folder.Path("snr.txt");
      WriteBytes(Files.SNR, ASNR);
    }
  }
};

TLineAnalysis AnalyzeCapture(TVDSLProfile AProfile, const char *ABins, const char *ASNR) {
  TCapture Capture(ABins, ASNR);
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(AProfile);
  LoadCapturedFiles(Data, Capture.Files);
  return AnalyzeLine(Data);
}

struct TBitsCase {
  const char *Title;
  TVDSLProfile Profile;
  int SymbolRate;
  TBitFigures US, DS;
};

class BitsCases : public testing::TestWithParam<TBitsCase> {};

TEST_P(BitsCases, TotalsAndLineRateExact) {
  const TBitsCase &Case = GetParam();
  const TLineAnalysis Analysis = AnalyzeCapture(Case.Profile, BinsListing, nullptr);
  EXPECT_EQ(Analysis.SymbolRate, Case.SymbolRate);
  EXPECT_EQ(Analysis.Bits.US, Case.US);
  EXPECT_EQ(Analysis.Bits.DS, Case.DS);
}

INSTANTIATE_TEST_SUITE_P(
    HandMadeListing, BitsCases,
    testing::Values(TBitsCase{"P17A", vp17a, 4000, {3, 16, 7, 64000}, {6, 51, 15, 204000}},
                    TBitsCase{"P35B", vp35b, 4000, {3, 16, 7, 64000}, {6, 51, 15, 204000}},
                    TBitsCase{"P30A", vp30a, 8000, {3, 16, 7, 128000}, {6, 51, 15, 408000}}),
    [](const testing::TestParamInfo<TBitsCase> &AInfo) { return AInfo.param.Title; });

TEST(ToneFigures, NoBitsWithoutAListing) {
  // No bins file; and one whose upstream marker stands first, so that no
  // downstream listing was read.
  const TLineAnalysis None = AnalyzeCapture(vp17a, nullptr, SNRAnswer);
  EXPECT_FALSE(None.Bits.US);
  EXPECT_FALSE(None.Bits.DS);
  const TLineAnalysis UpOnly =
      AnalyzeCapture(vp17a, "UPSTREAM :\r\n   6   30    0  4 *     7   31    0  5\r\n", nullptr);
  EXPECT_EQ(UpOnly.Bits.US, (TBitFigures{2, 9, 5, 36000}));
  EXPECT_FALSE(UpOnly.Bits.DS);
}

TEST(ToneFigures, SNRMeanAndMinimumOverTheEntriesWithAValue) {
  const TLineAnalysis Analysis = AnalyzeCapture(vp17a, nullptr, SNRAnswer);
  ASSERT_TRUE(Analysis.SNR.US && Analysis.SNR.DS);
  EXPECT_DOUBLE_EQ(Analysis.SNR.US->Mean, 12);
  EXPECT_DOUBLE_EQ(Analysis.SNR.US->Min, 10);
  EXPECT_DOUBLE_EQ(Analysis.SNR.DS->Mean, 22.75);
  EXPECT_DOUBLE_EQ(Analysis.SNR.DS->Min, 0);
  const TLineAnalysis NoSNR = AnalyzeCapture(vp17a, BinsListing, nullptr);
  EXPECT_FALSE(NoSNR.SNR.US);
  EXPECT_FALSE(NoSNR.SNR.DS);
}

} // namespace
