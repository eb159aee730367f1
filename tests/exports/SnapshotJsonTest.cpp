// A snapshot as JSON: what parses back from it is the snapshot itself, texts
// that need escaping included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "DrayData.h"
#include "SnapshotJson.h"
#include "TestFiles.h"

namespace {

using nlohmann::json;

// The entry as the JSON holds it: a number, null, or "unassigned".
json Expected(const TStatValue &AEntry) {
  if (AEntry.IsUnassigned())
    return "unassigned";
  if (AEntry.IsNull())
    return nullptr;
  return AEntry.AsInteger();
}

void ExpectTable(const json &AJson, const TDrayStatArray &ATable, const std::string &AWhere) {
  ASSERT_EQ(AJson.size(), ATable.size()) << AWhere;
  for (std::size_t I = 0; I < ATable.size(); ++I)
    ASSERT_EQ(AJson[I], Expected(ATable[I])) << AWhere << " entry " << I;
}

void ExpectBins(const json &AJson, const TDrayBinArray &ATable, const std::string &AWhere) {
  for (const char *Field : {"bin", "snr", "gain", "bits"})
    ASSERT_EQ(AJson[Field].size(), ATable.size()) << AWhere << Field;
  for (std::size_t I = 0; I < ATable.size(); ++I) {
    const TDrayBinEntry &E = ATable[I];
    ASSERT_EQ(std::vector<int>({AJson["bin"][I], AJson["snr"][I], AJson["gain"][I], AJson["bits"][I]}),
              std::vector<int>({E.Bin, E.SNR, E.Gain, E.ToneBits}))
        << AWhere << " tone " << I;
  }
}

std::vector<std::string> Lines(const TTextLines &ALines) { return {ALines.begin(), ALines.end()}; }

TEST(SnapshotJson, KeysInTheirOrderAndEveryTableAsTheSnapshotHoldsIt) {
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(vp17a);
  Data.LoadHLogFromFile(FixturePath("line17a-hlog.txt"));
  Data.LoadQLNFromFile(FixturePath("line17a-qln.txt"));
  Data.LoadBinsFromFile(FixturePath("line17a-bins.txt"));
  const json Parsed = json::parse(SnapshotJson(Data));

  std::vector<std::string> Keys;
  for (const auto &[Key, Value] : Parsed.items())
    Keys.push_back(Key);
  // Parsing sorts the keys; the text keeps them in the order written.
  const std::string Text = SnapshotJson(Data);
  std::size_t Last = 0;
  for (const char *Key : {"name", "dataVersion", "profile", "profileIndex", "status", "hlog", "qln", "snr", "bins",
                          "raw"}) {
    const std::size_t At = Text.find("\"" + std::string(Key) + "\":");
    ASSERT_NE(At, std::string::npos) << Key;
    EXPECT_GE(At, Last) << Key;
    Last = At;
  }
  EXPECT_EQ(Keys.size(), 10u);

  EXPECT_EQ(Parsed["name"], "Loaded from file");
  EXPECT_EQ(Parsed["profile"], "17A");
  EXPECT_EQ(Parsed["profileIndex"], 7);
  EXPECT_EQ(Parsed["hlog"]["groupSize"], json::array({8, 8}));
  ExpectTable(Parsed["hlog"]["us"], Data.HLogStatsUS(), "hlog us");
  ExpectTable(Parsed["hlog"]["ds"], Data.HLogStatsDS(), "hlog ds");
  ExpectTable(Parsed["qln"]["us"], Data.QLNStatsUS(), "qln us");
  ExpectTable(Parsed["qln"]["ds"], Data.QLNStatsDS(), "qln ds");
  ExpectTable(Parsed["snr"]["us"], Data.SNRStatsUS(), "snr us");
  ExpectBins(Parsed["bins"]["us"], Data.ShowBinStatsUS(), "bins us ");
  ExpectBins(Parsed["bins"]["ds"], Data.ShowBinStatsDS(), "bins ds ");
  EXPECT_EQ(Parsed["raw"]["hlog"]["ds"].get<std::vector<std::string>>(), Lines(Data.HLogDSRaw()));
  EXPECT_EQ(Parsed["raw"]["bins"]["us"].get<std::vector<std::string>>(), Lines(Data.BinStatsUSRaw()));
}

TEST(SnapshotJson, AFreshSnapshotIsUnassignedEverywhere) {
  const TDrayData Data("new");
  const json Parsed = json::parse(SnapshotJson(Data));
  EXPECT_EQ(Parsed["dataVersion"], 0);
  EXPECT_EQ(Parsed["profile"], "N/A");
  EXPECT_EQ(Parsed["status"], json::array());
  ExpectTable(Parsed["snr"]["ds"], Data.SNRStatsDS(), "snr ds");
  EXPECT_EQ(Parsed["snr"]["ds"][0], "unassigned");
  EXPECT_EQ(Parsed["raw"]["qln"]["us"], json::array());
}

// Quotes, backslashes and control characters must be escaped, or the text
// would end the string early or not parse at all.
TEST(SnapshotJson, TextsWithQuotesBackslashesAndControlCharactersParseBackUnchanged) {
  const std::string Name = "say \"hi\" \\ C:\\tmp\\ \x01\x1f\t\b\f\r\n\x7f end \"";
  const TTextLines Status = {"\"", "\\", "\\\"", std::string("nul \0 inside", 12), "tab\there", "\x1b[0m"};
  TDrayData Data(Name);
  Data.AddStatData({"header \"1\""}, &Status);
  Data.SetRaw(TDrayKind::HLog, TDirection::Upstream, {"raw \"line\" \\ \x02"});
  const std::string Text = SnapshotJson(Data);
  const json Parsed = json::parse(Text);
  EXPECT_EQ(Parsed["name"].get<std::string>(), Name);
  EXPECT_EQ(Parsed["status"].get<std::vector<std::string>>(), Lines(Data.Stats()));
  EXPECT_EQ(Parsed["raw"]["hlog"]["us"][0].get<std::string>(), "raw \"line\" \\ \x02");
  // No raw control character reaches the output: each one is escaped.
  for (const char C : Text)
    EXPECT_GE(static_cast<unsigned char>(C), 0x20u) << "a raw control character " << int(C);
}

TEST(SnapshotJson, BrokenUtf8BecomesTheReplacementCharacter) {
  const TDrayData Data("caf\xE9 \xC3");
  const json Parsed = json::parse(SnapshotJson(Data));
  EXPECT_EQ(Parsed["name"].get<std::string>(), "caf\uFFFD \uFFFD");
  EXPECT_EQ(json::parse(SnapshotJson(TDrayData("Jos\u00E9")))["name"].get<std::string>(), "Jos\u00E9");
}

} // namespace
