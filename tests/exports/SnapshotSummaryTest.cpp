// The summary of a snapshot for people: counts and ranges per table, checked
// against a capture small enough to count by hand.
#include <gtest/gtest.h>

#include <string>

#include "DrayData.h"
#include "SnapshotSummary.h"
#include "TestFiles.h"

namespace {

// Upstream: -1 -5 -7 -12 at tones 0..3 and -2 at 8; the rest of both lines
// empty. Downstream: -3 at 0. The prompt ends the answer, as it does on a
// terminal.
const std::string SmallHLog = " HLOG\r\n  GroupSize      :     8    16\r\n US: (dB)\r\n"
                              "bin=   0:   -1,   -5,   -7,  -12,     ,     ,     ,     ,\r\n"
                              "bin=   8:   -2,     ,     ,     ,     ,     ,     ,     ,\r\n"
                              "\r\n DS: (dB)\r\n"
                              "bin=   0:   -3,     ,     ,     ,     ,     ,     ,     ,\r\n"
                              "DrayTek> ";

TEST(SnapshotSummary, CountsAndRangesOfASmallCapture) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("hlog.txt"), SmallHLog);
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(vp8b);
  Data.LoadHLogFromFile(Folder.Path("hlog.txt"));
  const std::string Expected = "Name:          Loaded from file\n"
                               "Data version:  0\n"
                               "VDSL profile:  8B\n"
                               "Status text:   0 lines\n"
                               "\n"
                               "Table Dir Group  Values   Null  Unassigned    Min    Max\n"
                               "HLog  US      8       5    507           0    -12     -1\n"
                               "HLog  DS     16       1    511           0     -3     -3\n"
                               "QLN   US      0       0      0         512      -      -\n"
                               "QLN   DS      0       0      0         512      -      -\n"
                               "SNR   US      0       0      0         512      -      -\n"
                               "SNR   DS      0       0      0         512      -      -\n"
                               "\n"
                               "Bins  US  no tones\n"
                               "Bins  DS  no tones\n";
  EXPECT_EQ(SnapshotSummary(Data), Expected);
}

// Counted from the capture apart from the program: tones that carry a number
// or data, those with bits, and the ranges over them.
TEST(SnapshotSummary, BinsRowsGiveTonesLoadedTonesAndRanges) {
  TDrayData Data("x");
  Data.LoadBinsFromFile(FixturePath("line17a-bins.txt"));
  const std::string Summary = SnapshotSummary(Data);
  const std::string Rows = Summary.substr(Summary.find("\nBins  US"));
  EXPECT_EQ(Rows, "\nBins  US  4095 tones, 1184 loaded, bits max 15, SNR 0..55 dB, gain -19..15 (0.1 dB)\n"
                  "Bins  DS  4095 tones, 2850 loaded, bits max 14, SNR 0..53 dB, gain -19..15 (0.1 dB)\n");
}

} // namespace
