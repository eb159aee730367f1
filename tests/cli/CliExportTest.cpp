// tonegraph-cli export: CSV that holds what show --json holds, pictures of
// the charts at the size asked for, and wrong usage refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "TestFiles.h"

namespace {

using nlohmann::json;

class CliExport : public ::testing::Test {
protected:
  // A 17A snapshot with all four tables, from real captures.
  void SetUp() override {
    const TCliRun Import = RunCli(
        "import --profile 17A --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " --qln " +
        Quoted(FixturePath("line17a-qln.txt")) + " --snr " + Quoted(FixturePath("line17a-snr.txt")) + " --bins " +
        Quoted(FixturePath("line17a-bins.txt")) + " -o " + Quoted(Snapshot));
    ASSERT_EQ(Import.Status, 0) << Import.Err;
  }

  TTempFolder Folder;
  const std::string Snapshot = Folder.Path("line.draydata");
};

std::vector<std::vector<std::string>> CsvRows(const std::string &ACsv) {
  std::vector<std::vector<std::string>> Rows;
  std::istringstream Lines(ACsv);
  for (std::string Line; std::getline(Lines, Line);) {
    EXPECT_EQ(Line.back(), '\r');
    Line.pop_back();
    std::vector<std::string> Row;
    std::size_t Start = 0;
    for (std::size_t Comma; (Comma = Line.find(',', Start)) != std::string::npos; Start = Comma + 1)
      Row.push_back(Line.substr(Start, Comma - Start));
    Row.push_back(Line.substr(Start));
    Rows.push_back(Row);
  }
  return Rows;
}

// What a CSV cell should read for a JSON value: empty for no value.
std::string Cell(const json &AValue, double AScale = 1) {
  if (!AValue.is_number())
    return "";
  std::ostringstream Text;
  Text << AValue.get<double>() / AScale;
  return Text.str();
}

// The cell of a per-group table for ATone, from the JSON's own group size.
std::string GroupCell(const json &AKind, const char *ADirection, int ATone) {
  const int Size = AKind["groupSize"][std::string(ADirection) == "us" ? 0 : 1];
  if (Size == 0 || ATone / Size >= static_cast<int>(AKind[ADirection].size()))
    return "";
  return Cell(AKind[ADirection][ATone / Size]);
}

TEST_F(CliExport, CsvHoldsTheValuesOfShowJsonInEveryColumn) {
  const TCliRun Csv = RunCli("export " + Quoted(Snapshot) + " --format csv");
  ASSERT_EQ(Csv.Status, 0) << Csv.Err;
  const TCliRun Show = RunCli("show --json " + Quoted(Snapshot));
  ASSERT_EQ(Show.Status, 0) << Show.Err;
  const json Data = json::parse(Show.Out);
  const auto Rows = CsvRows(Csv.Out);
  ASSERT_EQ(Rows.size(), 1u + 4096u);
  const std::vector<std::string> &Header = Rows[0];
  int Checked = 0;
  for (int Tone = 0; Tone < 4096; ++Tone) {
    const std::vector<std::string> &Row = Rows[1 + Tone];
    ASSERT_EQ(Row.size(), Header.size()) << "tone " << Tone;
    EXPECT_EQ(Row[0], std::to_string(Tone));
    EXPECT_DOUBLE_EQ(std::stod(Row[1]), Tone * 4312.5);
    for (std::size_t Column = 2; Column < Header.size(); ++Column) {
      const std::string Name = Header[Column];
      const std::string Table = Name.substr(0, Name.find('_')), Direction = Name.substr(Name.find('_') + 1);
      std::string Expected;
      if (Table == "hlog" || Table == "qln" || Table == "snr")
        Expected = GroupCell(Data[Table], Direction.c_str(), Tone);
      else {
        const json &Bins = Data["bins"][Direction];
        Expected = Table == "bits"   ? Cell(Bins["bits"][Tone])
                   : Table == "gain" ? Cell(Bins["gain"][Tone], 10)
                                     : Cell(Bins["snr"][Tone]);
      }
      ASSERT_EQ(Row[Column], Expected) << Name << " tone " << Tone;
      Checked += !Expected.empty();
    }
  }
  // The captures fill most cells; a CSV of empty cells would pass the rest.
  EXPECT_GT(Checked, 4096 * 8);
}

TEST_F(CliExport, JsonIsWhatShowJsonPrints) {
  const std::string Out = Folder.Path("line.json");
  const TCliRun Export = RunCli("export " + Quoted(Snapshot) + " --format json -o " + Quoted(Out));
  ASSERT_EQ(Export.Status, 0) << Export.Err;
  EXPECT_EQ(Export.Out, "");
  EXPECT_EQ(ReadBytes(Out), RunCli("show --json " + Quoted(Snapshot)).Out);
}

#ifdef TONEGRAPH_CHART_IMAGES

// Width and height from a PNG's header chunk (big-endian, at bytes 16..23).
std::pair<int, int> PngSize(const std::string &ABytes) {
  auto Word = [&](std::size_t AAt) {
    int Value = 0;
    for (std::size_t I = AAt; I < AAt + 4; ++I)
      Value = Value * 256 + static_cast<unsigned char>(ABytes.at(I));
    return Value;
  };
  EXPECT_EQ(ABytes.substr(1, 3), "PNG");
  return {Word(16), Word(20)};
}

TEST_F(CliExport, PicturesOfEveryChartAtTheSizeAskedFor) {
  const struct {
    const char *Chart, *Title;
  } Charts[] = {{"hlog", "HLog"}, {"qln", "QLN"},   {"snr", "SNR"},
                {"bits", "Bits"}, {"gain", "Gain"}, {"binsnr", "SNR"}};
  for (const auto &Chart : Charts) {
    const std::string Png = Folder.Path(std::string(Chart.Chart) + ".png");
    const std::string Svg = Folder.Path(std::string(Chart.Chart) + ".svg");
    const std::string Pdf = Folder.Path(std::string(Chart.Chart) + ".pdf");
    const std::string Common = "export " + Quoted(Snapshot) + " --chart " + Chart.Chart;
    ASSERT_EQ(RunCli(Common + " --format png --size 640x360 -o " + Quoted(Png)).Status, 0) << Chart.Chart;
    ASSERT_EQ(RunCli(Common + " --format svg --size 800x500 -o " + Quoted(Svg)).Status, 0) << Chart.Chart;
    ASSERT_EQ(RunCli(Common + " --format pdf -o " + Quoted(Pdf)).Status, 0) << Chart.Chart;
    EXPECT_EQ(PngSize(ReadBytes(Png)), std::make_pair(640, 360)) << Chart.Chart;
    const std::string SvgText = ReadBytes(Svg);
    EXPECT_NE(SvgText.find("width=\"800"), std::string::npos) << Chart.Chart;
    EXPECT_NE(SvgText.find("height=\"500"), std::string::npos) << Chart.Chart;
    // The title and the legend's entries are text in the picture.
    for (const std::string &Text : {std::string(Chart.Title), std::string(">US<"), std::string(">DS<")})
      EXPECT_NE(SvgText.find(Text), std::string::npos) << Chart.Chart << ": " << Text;
    EXPECT_EQ(ReadBytes(Pdf).substr(0, 5), "%PDF-") << Chart.Chart;
  }
}

// Run without a desktop session, as from a cron job or over ssh: Qt's notice
// about its runtime folder is not the user's business, nothing else is said.
TEST_F(CliExport, PicturesSayNothingOnStandardError) {
  const char *Session = std::getenv("XDG_RUNTIME_DIR");
  const std::string Kept = Session ? Session : "";
  unsetenv("XDG_RUNTIME_DIR");
  for (const char *Format : {"png", "svg", "pdf"}) {
    const std::string Out = Folder.Path(std::string("quiet.") + Format);
    const TCliRun Run =
        RunCli("export " + Quoted(Snapshot) + " --chart bits --format " + Format + " -o " + Quoted(Out));
    EXPECT_EQ(Run.Status, 0) << Format;
    EXPECT_EQ(Run.Err, "") << Format;
    EXPECT_FALSE(ReadBytes(Out).empty()) << Format;
  }
  if (Session)
    setenv("XDG_RUNTIME_DIR", Kept.c_str(), 1);
}

#endif

// An export that fails half-way, here on a full disk made by a file size
// limit, leaves the file it was to replace byte for byte and nothing beside it.
TEST_F(CliExport, AFailedExportKeepsTheEarlierFile) {
  std::vector<std::string> Formats = {"csv", "json"};
#ifdef TONEGRAPH_CHART_IMAGES
  Formats.insert(Formats.end(), {"png", "svg", "pdf"});
#endif
  for (const std::string &Format : Formats) {
    const std::string Out = Folder.Path("earlier." + Format);
    const std::string Earlier = "the earlier " + Format + " file\n";
    WriteBytes(Out, Earlier);
    const TCliRun Run = RunCliOnAFullDisk("export " + Quoted(Snapshot) + " --format " + Format + " -o " + Quoted(Out), 8);
    EXPECT_EQ(Run.Status, 1) << Format;
    EXPECT_EQ(Run.Err, "tonegraph-cli: " + Out + ": Stream write error\n") << Format;
    EXPECT_EQ(ReadBytes(Out), Earlier) << Format;
  }
  std::set<std::string> Names = {"line.draydata"};
  for (const std::string &Format : Formats)
    Names.insert("earlier." + Format);
  std::string Listing;
  for (const std::string &Name : Names)
    Listing += Name + ";";
  EXPECT_EQ(Folder.Listing(), Listing);
}

// Standard output on a full device: every command that writes there says so
// and fails, however much or little it wrote before the end.
TEST_F(CliExport, OutputThatCannotBeWrittenIsAFailureWithItsMessage) {
  const std::string File = Quoted(Snapshot);
  for (const std::string &Args : {"show " + File, "show " + File + " --json", "export " + File + " --format csv",
                                 "export " + File + " --format json", "analyze " + File, std::string("--help")}) {
    const TCliRun Run = RunCli(Args + " >/dev/full");
    EXPECT_EQ(Run.Status, 1) << Args;
    EXPECT_EQ(Run.Err, "tonegraph-cli: standard output: Stream write error\n") << Args;
  }
}

// Numbers past any integer, durations past any sane wait: refused by the
// option's name, not wrapped, clamped or left to a library's own message.
TEST_F(CliExport, NumbersOutOfEveryRangeAreRefusedByTheOptionsName) {
  const std::string File = Quoted(Snapshot);
  const std::string Watch = "watch --host 127.0.0.1 --user u --into " + Quoted(Folder.Path("w.tgdb"));
  const struct {
    std::string Args, Error;
  } Cases[] = {
      {"diff " + Quoted(Snapshot + ":99999999999999999999") + " " + File,
       "tonegraph-cli diff: A: '99999999999999999999' is no capture id"},
      {"history " + File + " --export 9223372036854775808 -o x",
       "tonegraph-cli history: --export: Value 9223372036854775808 not in range 0 to 9223372036854775807"},
      {"export " + File + " --format png --size 4294967297x1 -o x.png",
       "tonegraph-cli export: --size: the size is WIDTHxHEIGHT in pixels, each 1 to 16384"},
      {Watch + " --every 200000000m", "tonegraph-cli watch: --every: '200000000m' is longer than a week"},
      {Watch + " --every 99999999999999999999999s",
       "tonegraph-cli watch: --every: '99999999999999999999999s' is longer than a week"},
      {Watch + " --every 169h", "tonegraph-cli watch: --every: '169h' is longer than a week"},
      {Watch + " --every 0s", "tonegraph-cli watch: --every: '0s' is not a duration like 30s, 5m or 1h"},
  };
  for (const auto &Case : Cases) {
    const TCliRun Run = RunCli(Case.Args);
    EXPECT_EQ(Run.Status, 2) << Case.Args;
    EXPECT_EQ(Run.Err.substr(0, Run.Err.find('\n')), Case.Error) << Case.Args;
  }
  EXPECT_FALSE(std::filesystem::exists(Folder.Path("w.tgdb")));
}

TEST_F(CliExport, WrongUsageIsRefused) {
  const std::string File = Quoted(Snapshot);
  const struct {
    std::string Args, Error;
  } Cases[] = {
      {"export " + File + " --format png", "a png picture needs -o OUT"},
      {"export " + File + " --format gif", "--format: gif not in {csv,json,png,svg,pdf}"},
      {"export " + File + " --format png --chart loops -o x.png", "--chart: loops not in"},
      {"export " + File + " --format png --size 0x700 -o x.png", "the size is WIDTHxHEIGHT in pixels"},
      {"export " + File + " --format png --size 1200 -o x.png", "the size is WIDTHxHEIGHT in pixels"},
      {"export " + File, "--format is required"},
  };
  for (const auto &Case : Cases) {
    const TCliRun Run = RunCli(Case.Args);
    EXPECT_EQ(Run.Status, 2) << Case.Args;
    EXPECT_NE(Run.Err.find(Case.Error), std::string::npos) << Case.Args << "\n" << Run.Err;
  }
  const TCliRun Missing = RunCli("export " + Quoted(Folder.Path("none.draydata")) + " --format csv");
  EXPECT_EQ(Missing.Status, 1);
  EXPECT_NE(Missing.Err.find("none.draydata: "), std::string::npos) << Missing.Err;
}

} // namespace
