// tonegraph-cli analyze, on snapshots built by tonegraph-cli import from real
// status texts, hand-made and generated captured answers.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "SyntheticLine.h"
#include "TestFiles.h"

namespace {

using TJson = nlohmann::ordered_json;

// The keys of a JSON value, nested, in their order: {a,b{c}} for objects,
// [...] with the keys of the elements (all alike) for arrays.
std::string Shape(const TJson &AValue) {
  if (AValue.is_object()) {
    std::string Text = "{";
    for (auto Item = AValue.begin(); Item != AValue.end(); ++Item)
      Text += (Item == AValue.begin() ? "" : ",") + Item.key() + Shape(Item.value());
    return Text + "}";
  }
  if (AValue.is_array()) {
    std::string Element = AValue.empty() ? "" : Shape(AValue.front());
    for (const TJson &Item : AValue)
      if (Shape(Item) != Element)
        return "[mixed]";
    return "[" + Element + "]";
  }
  return "";
}

const std::string PairShape = "{us,ds}";
const std::string CounterShape = "{near,far}";
const std::string FullShape =
    "{profile,toneSpacingHz,symbolRate,reported{state,actualRate" + PairShape + ",attainableRate" + PairShape +
    ",snrMargin" + PairShape + ",attenuation" + PairShape + ",bands[{name,latn,satn}],counters{elapsedTime" +
    CounterShape + ",crc" + CounterShape + ",fec" + CounterShape + ",es" + CounterShape + ",ses" + CounterShape +
    ",uas" + CounterShape + "}},bits{us{tonesInUse,totalBits,maxBits,lineRate},ds{tonesInUse,totalBits,maxBits,"
    "lineRate}},snr{us{mean,min},ds{mean,min}},loop{kl0,gaugeMm,dbPerKmAt1MHz,lengthM},bridgedTaps[{firstNotchHz,"
    "depthDb,lengthM}],disturbers[{tone,frequencyHz,riseDb,band}],findings[{kind,severity,text}]}";

std::string Fixture(const char *AName) { return Quoted(FixturePath(AName)); }

// Every status sample of a retrieval, in its order.
std::string AllStatus() {
  std::string Args;
  for (const char *Name : {"router-status-bandinfo.txt", "router-vdsl-status-17a.txt", "router-vdsl-status-more.txt",
                           "router-vdsl-status-counts.txt"})
    Args += " --status " + Fixture(Name);
  return Args;
}

TJson AnalyzeJson(const std::string &ASnapshot, const std::string &AOptions = "") {
  const TCliRun Run = RunCli("analyze --json " + Quoted(ASnapshot) + AOptions);
  EXPECT_EQ(Run.Status, 0) << Run.Err;
  EXPECT_EQ(Run.Err, "");
  return TJson::parse(Run.Out);
}

// A generated 35B line with a 25 m tap and two stations, as captured files.
struct TTappedLine {
  TTempFolder Folder;
  std::string Snapshot = Folder.Path("tapped.draydata");

  TTappedLine() {
    TSyntheticLine Line;
    Line.Profile = vp35b;
    Line.Kl0Db = 6;
    Line.TapLengthM = 25;
    Line.Peaks = {{7.1e6, 20}, {21.5e6, 18}};
    WriteBytes(Folder.Path("hlog.txt"), TextOf(SyntheticHLogAnswer(Line)));
    WriteBytes(Folder.Path("qln.txt"), TextOf(SyntheticQLNAnswer(Line)));
    WriteBytes(Folder.Path("snr.txt"), TextOf(SyntheticSNRAnswer(Line)));
    WriteBytes(Folder.Path("bins.txt"), SyntheticBinsFile(Line));
    const TCliRun Import = RunCli("import --profile 35b --hlog " + Quoted(Folder.Path("hlog.txt")) + " --qln " +
                                  Quoted(Folder.Path("qln.txt")) + " --snr " + Quoted(Folder.Path("snr.txt")) +
                                  " --bins " + Quoted(Folder.Path("bins.txt")) + " -o " + Quoted(Snapshot));
    EXPECT_EQ(Import.Status, 0) << Import.Err;
  }
};

TEST(CliAnalyze, JsonKeysExactlyAsListed) {
  TTempFolder Folder;
  const std::string Real = Folder.Path("real.draydata");
  const TCliRun Import =
      RunCli("import --hlog " + Fixture("line17a-hlog.txt") + " --qln " + Fixture("line17a-qln.txt") + " --snr " +
             Fixture("line17a-snr.txt") + " --bins " + Fixture("line17a-bins.txt") + AllStatus() + " -o " +
             Quoted(Real));
  ASSERT_EQ(Import.Status, 0) << Import.Err;
  const TJson RealLine = AnalyzeJson(Real);
  // No tap and no station on this line: its empty lists have no elements to show keys.
  std::string Expected = FullShape;
  for (const char *List : {"bridgedTaps", "disturbers", "findings"}) {
    const std::size_t At = Expected.find(std::string(List) + "[") + std::string(List).size();
    Expected.erase(At + 1, Expected.find(']', At) - At - 1);
  }
  EXPECT_EQ(Shape(RealLine), Expected);
  EXPECT_EQ(RealLine["profile"], "17A");
  EXPECT_EQ(RealLine["reported"]["actualRate"]["ds"], 107737000);
  EXPECT_EQ(RealLine["reported"]["counters"]["es"]["far"], 999);
  EXPECT_EQ(RealLine["reported"]["bands"][2], (TJson{{"name", "US2"}, {"latn", 25.0}, {"satn", nullptr}}));

  TTappedLine Tapped;
  const TJson TappedLine = AnalyzeJson(Tapped.Snapshot);
  // Every list holds something here but the bands, which need a status text.
  std::string ExpectedTapped = FullShape;
  ExpectedTapped.replace(ExpectedTapped.find("bands[{name,latn,satn}]"), 23, "bands[]");
  EXPECT_EQ(Shape(TappedLine), ExpectedTapped);
  EXPECT_EQ(TappedLine["disturbers"][0]["band"], "40 m amateur");
  EXPECT_EQ(TappedLine["disturbers"][1]["band"], "13 m broadcast");
  EXPECT_EQ(TappedLine["findings"][0]["kind"], "bridgedTap");
  EXPECT_EQ(TappedLine["findings"][0]["severity"], "warning");
  EXPECT_NEAR(TappedLine["bridgedTaps"][0]["lengthM"].get<double>(), 25, 5);
}

// An HLog file alone: everything that needs the status text, SNR or bins is null.
TEST(CliAnalyze, NullsWhereTheSnapshotHasNothing) {
  TTempFolder Folder;
  const std::string Out = Folder.Path("hlog-only.draydata");
  ASSERT_EQ(RunCli("import --profile 17a --hlog " + Fixture("line17a-hlog.txt") + " -o " + Quoted(Out)).Status, 0);
  const TJson Json = AnalyzeJson(Out);
  const TJson Pair = {{"us", nullptr}, {"ds", nullptr}};
  const TJson Counter = {{"near", nullptr}, {"far", nullptr}};
  const TJson NoBits = {{"tonesInUse", nullptr}, {"totalBits", nullptr}, {"maxBits", nullptr}, {"lineRate", nullptr}};
  const TJson NoSNR = {{"mean", nullptr}, {"min", nullptr}};
  EXPECT_EQ(Json["reported"],
            (TJson{{"state", nullptr},
                   {"actualRate", Pair},
                   {"attainableRate", Pair},
                   {"snrMargin", Pair},
                   {"attenuation", Pair},
                   {"bands", TJson::array()},
                   {"counters",
                    {{"elapsedTime", Counter}, {"crc", Counter}, {"fec", Counter}, {"es", Counter}, {"ses", Counter},
                     {"uas", Counter}}}}));
  EXPECT_EQ(Json["bits"], (TJson{{"us", NoBits}, {"ds", NoBits}}));
  EXPECT_EQ(Json["snr"], (TJson{{"us", NoSNR}, {"ds", NoSNR}}));
  EXPECT_TRUE(Json["loop"]["kl0"].is_number());
  EXPECT_EQ(Json["toneSpacingHz"], 4312.5);
  EXPECT_EQ(Json["symbolRate"], 4000);

  // Without HLog the loop has a cable but no length.
  const std::string Empty = Folder.Path("empty.draydata");
  ASSERT_EQ(RunCli("import --profile 30a -o " + Quoted(Empty)).Status, 0);
  EXPECT_EQ(AnalyzeJson(Empty, " --gauge 0.4")["loop"],
            (TJson{{"kl0", nullptr}, {"gaugeMm", 0.4}, {"dbPerKmAt1MHz", 19.4}, {"lengthM", nullptr}}));
  EXPECT_EQ(AnalyzeJson(Empty)["symbolRate"], 8000);
}

// Captured status answers join the status text; without --profile its
// "Running Mode" line names the profile, with --profile that one stands.
TEST(CliAnalyze, ImportStatusThenAnalyze) {
  TTempFolder Folder;
  const std::string Out = Folder.Path("status.draydata");
  ASSERT_EQ(RunCli("import" + AllStatus() + " -o " + Quoted(Out)).Status, 0);
  const TJson Json = AnalyzeJson(Out);
  EXPECT_EQ(Json["profile"], "17A");
  EXPECT_EQ(Json["reported"]["state"], "SHOWTIME");
  EXPECT_EQ(Json["reported"]["snrMargin"], (TJson{{"us", 9.0}, {"ds", 17.0}}));
  EXPECT_EQ(Json["reported"]["counters"]["elapsedTime"], (TJson{{"near", 145464}, {"far", 145464}}));
  EXPECT_EQ(Json["reported"]["bands"].size(), 6u);

  const std::string Status = Fixture("router-vdsl-status-17a.txt");
  ASSERT_EQ(RunCli("import --profile 35b --status " + Status + " -o " + Quoted(Out)).Status, 0);
  EXPECT_EQ(AnalyzeJson(Out)["profile"], "35B");
  // Text without a "Running Mode" line leaves the profile N/A.
  ASSERT_EQ(RunCli("import --status " + Fixture("router-vdsl-status-counts.txt") + " -o " + Quoted(Out)).Status, 0);
  EXPECT_EQ(AnalyzeJson(Out)["profile"], "N/A");
}

TEST(CliAnalyze, TextForPeople) {
  TTappedLine Tapped;
  const TCliRun Run = RunCli("analyze " + Quoted(Tapped.Snapshot) + " --gauge 0.6");
  ASSERT_EQ(Run.Status, 0) << Run.Err;
  for (const char *Part : {"VDSL profile: 35B (tones 4312.5 Hz apart, 4000 symbols/s)\n",
                           "  State                -\n", "of 0.6 mm cable (13.0 dB/km at 1 MHz)\n",
                           "Bridged taps\n  about 2", ", 40 m amateur\n",
                           "\nFindings\n  warning  Bridged tap of about 2"})
    EXPECT_NE(Run.Out.find(Part), std::string::npos) << Part << "\n" << Run.Out;
}

TEST(CliAnalyze, FailuresAndWrongUsage) {
  TTempFolder Folder;
  const std::string Missing = Folder.Path("none.draydata");
  struct TCase {
    std::string Args;
    int Status;
    std::string ErrStart;
  };
  const TCase Cases[] = {
      {"analyze " + Quoted(Missing), 1,
       "tonegraph-cli: " + Missing + ": Cannot open file \"" + Missing + "\". No such file or directory\n"},
      {"analyze " + Fixture("line17a-hlog.txt"), 1,
       "tonegraph-cli: " + FixturePath("line17a-hlog.txt") + ": Invalid property value\n"},
      {"analyze x --gauge 0.45", 2,
       "tonegraph-cli analyze: --gauge: no cable gauge of 0.45 mm; the gauges are 0.4, 0.5 and 0.6 mm\n"},
      {"analyze x --gauge thick", 2, "tonegraph-cli analyze: Could not convert: --gauge = thick\n"},
      {"analyze x --vop 0", 2,
       "tonegraph-cli analyze: --vop: a velocity of propagation of 0 is not a fraction of the speed of light\n"},
      {"analyze", 2, "tonegraph-cli analyze: FILE is required\n"},
      {"analyze ''", 2, "tonegraph-cli analyze: FILE: the snapshot file name is empty\n"},
      {"import --status " + Quoted(Folder.Path("status.txt")) + " -o " + Quoted(Folder.Path("x.draydata")), 1,
       "tonegraph-cli: " + Folder.Path("status.txt") + ": Cannot open file \"" + Folder.Path("status.txt") +
           "\". No such file or directory\n"},
      {"import --status a b -o x", 2, "tonegraph-cli import: The following argument was not expected: b\n"},
  };
  for (const TCase &Case : Cases) {
    const TCliRun Run = RunCli(Case.Args);
    EXPECT_EQ(Run.Status, Case.Status) << Case.Args;
    EXPECT_EQ(Run.Err.substr(0, Case.ErrStart.size()), Case.ErrStart) << Case.Args << "\n" << Run.Err;
    EXPECT_EQ(Run.Out, "") << Case.Args;
  }
  EXPECT_FALSE(std::filesystem::exists(Folder.Path("x.draydata")));
}

} // namespace
