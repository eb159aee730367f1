// The range over captures tone by tone, and the difference of two snapshots,
// on inputs whose answers can be counted by hand.
#include <gtest/gtest.h>

#include "DrayData.h"
#include "HistoryStore.h"
#include "TestFiles.h"
#include "ToneDifference.h"
#include "ToneEnvelope.h"

namespace {

TToneSeries Series(int AGroupDS, std::vector<std::optional<std::int16_t>> ASNRDS, std::vector<std::int8_t> ABitsDS) {
  TToneSeries Series;
  Series.SNRGroupSize = {8, AGroupDS};
  Series.SNR[1] = std::move(ASNRDS);
  Series.Bits[1] = std::move(ABitsDS);
  return Series;
}

// Group values stand for each tone of their group; a capture without a value
// or without bins leaves that tone's range to the others.
TEST(ToneEnvelope, LowestMeanAndHighestPerTone) {
  TEnvelopeBuilder Builder("17A");
  Builder.Add(Series(2, {40, 30}, {5, 6, 7}));
  Builder.Add(Series(4, {44, std::nullopt}, {}));
  Builder.Add(Series(2, {std::nullopt, 36}, {3, 6, 9, 2}));
  const TToneEnvelope Envelope = Builder.Envelope();
  EXPECT_EQ(Envelope.Captures, 3);
  ASSERT_EQ(Envelope.Tones.size(), 4096u);
  const struct {
    int Tone;
    std::optional<TRange> SNR, Bits;
  } Cases[] = {
      {0, TRange{40, 42, 44}, TRange{3, 4, 5}},
      {1, TRange{40, 42, 44}, TRange{6, 6, 6}},
      {2, TRange{30, 110.0 / 3, 44}, TRange{7, 8, 9}},
      {3, TRange{30, 110.0 / 3, 44}, TRange{2, 2, 2}},
      {4, std::nullopt, std::nullopt},
  };
  for (const auto &Case : Cases) {
    EXPECT_EQ(Envelope.Tones[Case.Tone].SNR[1], Case.SNR) << Case.Tone;
    EXPECT_EQ(Envelope.Tones[Case.Tone].Bits[1], Case.Bits) << Case.Tone;
    EXPECT_EQ(Envelope.Tones[Case.Tone].SNR[0], std::nullopt) << Case.Tone;
  }
}

// Through the database: the series stored with each capture are the ones
// the envelope is made of, and only the range's captures of the profile count.
TEST(ToneEnvelope, FromTheCapturesOfARange) {
  TTempFolder Folder;
  THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::CreateIfMissing);
  const char *const SNR[] = {" US: (dB)", " DS: (dB)"};
  for (const int Value : {30, 40, 50}) {
    TDrayData Data("r");
    Data.SetVDSLProfile(vp17a);
    const std::string V = std::to_string(Value);
    Data.SetSNRData({" GroupSize      :     8    8", SNR[0], "bin=   0:  20, 20, 20, 20, 20, 20, 20, 20,", "", SNR[1],
                     "bin=   0:  " + V + ", " + V + ", " + V + ", " + V + ", " + V + ", " + V + ", " + V + ", " + V + ",",
                     "DrayTek> "});
    Store.AddSnapshot(Data, "2026-12-10T1" + std::to_string(Value / 10) + ":00:00Z");
  }
  TEnvelopeBuilder Builder("17A");
  Store.ForEachToneSeries("17A", "2026-12-10T14:00:00Z", {}, [&](const TToneSeries &ASeries) { Builder.Add(ASeries); });
  const TToneEnvelope Envelope = Builder.Envelope();
  EXPECT_EQ(Envelope.Captures, 2);
  // The count the window's progress is measured against agrees.
  EXPECT_EQ(Store.ToneSeriesCount("17A", "2026-12-10T14:00:00Z", {}), 2);
  EXPECT_EQ(Store.ToneSeriesCount("17A", {}, {}), 3);
  EXPECT_EQ(Store.ToneSeriesCount("35B", {}, {}), 0);
  EXPECT_EQ(Envelope.Tones[63].SNR[1], (TRange{40, 45, 50}));
  EXPECT_EQ(Envelope.Tones[63].SNR[0], (TRange{20, 20, 20}));
  EXPECT_EQ(Envelope.Tones[64].SNR[1], std::nullopt);
}

// A's HLog in groups of 8, B's in groups of 16: each tone compares the groups
// it lies in. Bits and gain per tone; the tones that gained and lost bits.
TEST(ToneDifference, AlignsGroupsByToneAndCountsBitChanges) {
  TDrayData A("a"), B("b");
  A.SetVDSLProfile(vp17a);
  B.SetVDSLProfile(vp17a);
  A.SetHLogData({" GroupSize      :     8    8", " US: (dB)", "", " DS: (dB)",
                 "bin=   0:  -10, -20, -30, -40,     ,     ,     ,     ,", "DrayTek> "});
  B.SetHLogData({" GroupSize      :     16    16", " US: (dB)", "", " DS: (dB)",
                 "bin=   0:  -15, -25, -35,     ,     ,     ,     ,     ,", "DrayTek> "});
  A.SetBinStatsDSRaw({"   10   40   0  9 *   11   41   5 10 *   12   40   0  4"});
  B.SetBinStatsDSRaw({"   10   40   0 11 *   11   41  -5  8 *   12   40   0  4"});
  const TToneDifference Diff = DiffTones(A, B);
  EXPECT_EQ(Diff.ToneCount, 4096);
  const auto &HLog = Diff.Stats[0][1];
  const struct {
    int Tone;
    std::optional<double> Expected;
  } Cases[] = {{0, -5}, {7, -5}, {8, 5}, {15, 5}, {16, 5}, {24, 15}, {32, std::nullopt}, {48, std::nullopt}};
  for (const auto &Case : Cases)
    EXPECT_EQ(HLog[static_cast<std::size_t>(Case.Tone)], Case.Expected) << Case.Tone;
  EXPECT_EQ(Diff.Stats[0][0][0], std::nullopt);
  EXPECT_EQ(Diff.Bits[1][10], 2);
  EXPECT_EQ(Diff.Bits[1][11], -2);
  EXPECT_EQ(Diff.Bits[1][12], 0);
  EXPECT_EQ(Diff.Gain[1][11], -10);
  EXPECT_EQ(Diff.GainedBits[1], std::vector<int>{10});
  EXPECT_EQ(Diff.LostBits[1], std::vector<int>{11});
  EXPECT_EQ(Diff.Bits[0][10], std::nullopt) << "no upstream listing on either side";
}

} // namespace
