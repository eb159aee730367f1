// A snapshot as CSV: one row per tone of the profile, a group's value on each
// tone of its group, empty cells where there is no value.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "DrayData.h"
#include "SnapshotCsv.h"
#include "TestFiles.h"

namespace {

using TRow = std::vector<std::string>;

std::vector<TRow> Rows(const std::string &ACsv) {
  std::vector<TRow> Rows;
  std::size_t Start = 0;
  for (std::size_t End; (End = ACsv.find("\r\n", Start)) != std::string::npos; Start = End + 2) {
    TRow Row;
    std::stringstream Line(ACsv.substr(Start, End - Start));
    for (std::string Cell; std::getline(Line, Cell, ',');)
      Row.push_back(Cell);
    // getline drops an empty last field.
    if (ACsv[End - 1] == ',')
      Row.push_back("");
    Rows.push_back(Row);
  }
  EXPECT_EQ(Start, ACsv.size()) << "the last row ends in CRLF";
  return Rows;
}

constexpr int HLogUS = 2, SNRUS = 6, BitsUS = 8, BinSNRDS = 13;

TEST(SnapshotCsv, AGroupsValueOnEachToneOfItsGroupEmptyWhereThereIsNone) {
  TDrayData Data;
  Data.SetVDSLProfile(vp17a);
  // Upstream HLog groups of 8 tones: entry 0 empty, then -5, -7, -7.
  Data.LoadHLogFromFile(FixturePath("line17a-hlog.txt"));
  const std::vector<TRow> Csv = Rows(SnapshotCsv(Data));

  ASSERT_EQ(Csv.size(), 1u + 4096u);
  EXPECT_EQ(Csv[0], (TRow{"tone", "frequency_hz", "hlog_us", "hlog_ds", "qln_us", "qln_ds", "snr_us", "snr_ds",
                          "bits_us", "bits_ds", "gain_us", "gain_ds", "binsnr_us", "binsnr_ds"}));
  const struct {
    int Tone;
    const char *HLog;
  } Cases[] = {{0, ""}, {7, ""}, {8, "-5"}, {15, "-5"}, {16, "-7"}, {31, "-7"}, {32, ""}};
  for (const auto &Case : Cases) {
    const TRow &Row = Csv[1 + Case.Tone];
    ASSERT_EQ(Row.size(), 14u);
    EXPECT_EQ(Row[0], std::to_string(Case.Tone));
    EXPECT_EQ(Row[HLogUS], Case.HLog) << "tone " << Case.Tone;
    // No SNR table and no bins were loaded: no value, not a zero.
    for (int Column : {SNRUS, BitsUS, BinSNRDS})
      EXPECT_EQ(Row[Column], "") << "tone " << Case.Tone << " column " << Csv[0][Column];
  }
}

TEST(SnapshotCsv, RowsAndFrequenciesFollowTheProfile) {
  const struct {
    TVDSLProfile Profile;
    std::size_t Tones;
    const char *Tone1Hz, *LastToneHz;
  } Cases[] = {{vp8b, 2048, "4312.5", "8827687.5"},
               {vp17a, 4096, "4312.5", "17659687.5"},
               {vp30a, 3479, "8625", "29997750"},
               {vp35b, 8192, "4312.5", "35323687.5"}};
  for (const auto &Case : Cases) {
    TDrayData Data;
    Data.SetVDSLProfile(Case.Profile);
    const std::vector<TRow> Csv = Rows(SnapshotCsv(Data));
    ASSERT_EQ(Csv.size(), 1 + Case.Tones) << ProfileName(Case.Profile);
    EXPECT_EQ(Csv[1][1], "0");
    EXPECT_EQ(Csv[2][1], Case.Tone1Hz) << ProfileName(Case.Profile);
    EXPECT_EQ(Csv.back()[1], Case.LastToneHz) << ProfileName(Case.Profile);
  }
}

TEST(SnapshotCsv, BinsGiveBitsGainInDecibelsAndSnrPerTone) {
  TDrayData Data;
  Data.SetVDSLProfile(vp17a);
  Data.LoadBinsFromFile(FixturePath("line17a-bins.txt"));
  const std::vector<TRow> Csv = Rows(SnapshotCsv(Data));
  for (int Tone : {0, 37, 1000, 4095}) {
    const TDrayBinEntry &US = Data.ShowBinStatsUS()[Tone];
    const TDrayBinEntry &DS = Data.ShowBinStatsDS()[Tone];
    std::ostringstream GainUS, GainDS;
    GainUS << US.Gain / 10.0;
    GainDS << DS.Gain / 10.0;
    EXPECT_EQ(TRow(Csv[1 + Tone].begin() + BitsUS, Csv[1 + Tone].end()),
              (TRow{std::to_string(US.ToneBits), std::to_string(DS.ToneBits), GainUS.str(), GainDS.str(),
                    std::to_string(US.SNR), std::to_string(DS.SNR)}))
        << "tone " << Tone;
  }
}

} // namespace
