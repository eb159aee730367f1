// tonegraph-cli export: every column of the CSV holds, tone by tone, what
// show --json says of the same snapshot file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliRun.h"
#include "TestFiles.h"

namespace {

std::vector<std::string> Fields(const std::string &ARow) {
  std::vector<std::string> Out;
  std::stringstream Row(ARow);
  std::string Field;
  while (std::getline(Row, Field, ','))
    Out.push_back(Field);
  if (!ARow.empty() && ARow.back() == ',')
    Out.emplace_back();
  return Out;
}

// The JSON's value for a tone: the group's entry for a table, the tone's own
// for the bins, "" where there is none.
std::string Expected(const nlohmann::json &ASnapshot, const std::string &AColumn, int ATone) {
  const std::string Kind = AColumn.substr(0, AColumn.find('_'));
  const std::string Side = AColumn.substr(AColumn.find('_') + 1);
  if (Kind == "hlog" || Kind == "qln" || Kind == "snr") {
    const nlohmann::json &Table = ASnapshot[Kind];
    const int Group = Table["groupSize"][Side == "us" ? 0 : 1];
    if (Group == 0 || ATone / Group >= 512)
      return "";
    const nlohmann::json &Value = Table[Side][ATone / Group];
    return Value.is_number() ? std::to_string(Value.get<int>()) : "";
  }
  if (ASnapshot["raw"]["bins"][Side].empty())
    return "";
  const char *Field = Kind == "bits" ? "bits" : Kind == "gain" ? "gain" : "snr";
  return std::to_string(ASnapshot["bins"][Side][Field][ATone].get<int>());
}

TEST(CliExport, EveryCsvColumnHoldsWhatShowJsonSays) {
  TTempFolder Folder;
  const std::string File = FixturePath("line17a-bins.txt");
  // A 17A snapshot with HLog, QLN and SNR in groups of 8 and a downstream bins listing only.
  const TCliRun Imported =
      RunCli("import --profile 17a --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " --qln " +
             Quoted(FixturePath("line17a-qln.txt")) + " --snr " + Quoted(FixturePath("line17a-snr.txt")) + " --bins " +
             Quoted(File) + " -o " + Quoted(Folder.Path("line.draydata")));
  ASSERT_EQ(Imported.Status, 0) << Imported.Err;
  const TCliRun Shown = RunCli("show " + Quoted(Folder.Path("line.draydata")) + " --json");
  ASSERT_EQ(Shown.Status, 0) << Shown.Err;
  const nlohmann::json Snapshot = nlohmann::json::parse(Shown.Out);
  const TCliRun Csv = RunCli("export " + Quoted(Folder.Path("line.draydata")) + " --format csv");
  ASSERT_EQ(Csv.Status, 0) << Csv.Err;

  std::stringstream Lines(Csv.Out);
  std::string Line;
  std::getline(Lines, Line);
  ASSERT_EQ(Line, "tone,frequency_hz,hlog_us,hlog_ds,qln_us,qln_ds,snr_us,snr_ds,bits_us,bits_ds,gain_us,gain_ds,"
                  "binsnr_us,binsnr_ds\r");
  const std::vector<std::string> Columns = Fields(Line.substr(0, Line.size() - 1));
  int Tone = 0, Compared = 0;
  for (; std::getline(Lines, Line); ++Tone) {
    ASSERT_EQ(Line.back(), '\r') << "CR LF line ends";
    const std::vector<std::string> Row = Fields(Line.substr(0, Line.size() - 1));
    ASSERT_EQ(Row.size(), Columns.size()) << Tone;
    EXPECT_EQ(Row[0], std::to_string(Tone));
    EXPECT_DOUBLE_EQ(std::stod(Row[1]), Tone * 4312.5);
    for (std::size_t Column = 2; Column < Columns.size(); ++Column) {
      ASSERT_EQ(Row[Column], Expected(Snapshot, Columns[Column], Tone)) << Columns[Column] << " at tone " << Tone;
      Compared += !Row[Column].empty();
    }
  }
  EXPECT_EQ(Tone, 4096);
  EXPECT_GT(Compared, 4096 * 4) << "the fixture fills most columns";
}

TEST(CliExport, JsonIsShowJsonAndAFailedWriteKeepsTheFile) {
  TTempFolder Folder;
  const TCliRun Imported = RunCli("import --profile 17a --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " -o " +
                                  Quoted(Folder.Path("line.draydata")));
  ASSERT_EQ(Imported.Status, 0) << Imported.Err;
  const TCliRun Json = RunCli("export " + Quoted(Folder.Path("line.draydata")) + " --format json -o " +
                              Quoted(Folder.Path("line.json")));
  ASSERT_EQ(Json.Status, 0) << Json.Err;
  EXPECT_EQ(ReadBytes(Folder.Path("line.json")), RunCli("show " + Quoted(Folder.Path("line.draydata")) + " --json").Out);
  const TCliRun Wrong = RunCli("export " + Quoted(Folder.Path("line.draydata")) + " --format xlsx");
  EXPECT_EQ(Wrong.Status, 2);
  std::filesystem::create_directory(Folder.Path("folder"));
  const TCliRun IntoFolder =
      RunCli("export " + Quoted(Folder.Path("line.draydata")) + " --format csv -o " + Quoted(Folder.Path("folder")));
  EXPECT_EQ(IntoFolder.Status, 1);
  EXPECT_TRUE(std::filesystem::is_directory(Folder.Path("folder")));
}

} // namespace
