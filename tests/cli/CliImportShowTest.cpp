// tonegraph-cli import and show, run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "DrayData.h"
#include "TestFiles.h"

namespace {

TEST(CliImportShow, ImportThenShowAsJson) {
  TTempFolder Folder;
  const std::string Out = Folder.Path("line.draydata");
  const TCliRun Import = RunCli("import --profile 17A --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " --qln " +
                                Quoted(FixturePath("line17a-qln.txt")) + " --bins " +
                                Quoted(FixturePath("line17a-bins.txt")) + " -o " + Quoted(Out));
  ASSERT_EQ(Import.Status, 0) << Import.Err;
  EXPECT_EQ(Import.Err, "") << "real captures give values: no warning";
  const TCliRun Show = RunCli("show " + Quoted(Out) + " --json");
  ASSERT_EQ(Show.Status, 0) << Show.Err;
  const std::string &Json = Show.Out;
  for (const char *Part : {"{\"name\":\"Loaded from file\",\"dataVersion\":2,\"profile\":\"17A\",\"profileIndex\":7,"
                           "\"status\":[],\"hlog\":{\"groupSize\":[8,8],\"us\":[null,",
                           // Loading rebuilds every table: no SNR file gives nulls, not "unassigned".
                           "\"snr\":{\"groupSize\":[0,0],\"us\":[null,null,",
                           "\"bins\":{\"us\":{\"bin\":[0,1,2,", "\"raw\":{\"hlog\":{\"us\":[\"bin=   0:",
                           "\"bins\":{\"us\":[\"UPSTREAM :\",", "\"snr\":{\"us\":[],\"ds\":[]}"})
    EXPECT_NE(Json.find(Part), std::string::npos) << Part;
  EXPECT_EQ(Json.back(), '\n');
}

// A file that holds none of the lines its kind is read from (a README chosen
// as the SNR file, the status text as the bins file) is named in a warning;
// the snapshot is still written.
TEST(CliImportShow, FilesThatGaveNoValuesAreNamed) {
  TTempFolder Folder;
  const std::string Readme = Folder.Path("snr.txt");
  WriteBytes(Readme, "Tonegraph\r\n\r\nShows how a VDSL2 line behaves tone by tone.\r\n");
  const std::string Status = FixturePath("router-vdsl-status-17a.txt");
  const std::string Out = Folder.Path("line.draydata");
  const TCliRun Import = RunCli("import --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " --snr " +
                                Quoted(Readme) + " --bins " + Quoted(Status) + " -o " + Quoted(Out));
  ASSERT_EQ(Import.Status, 0) << Import.Err;
  EXPECT_EQ(Import.Err, "warning: " + Readme + ": no SNR values found\nwarning: " + Status +
                            ": no bins values found\n");
  EXPECT_TRUE(std::filesystem::exists(Out));
}

// A name and status text that need escaping, written to a snapshot file by
// the library and printed by the program, parse back to the same text.
TEST(CliImportShow, JsonOfTextsThatNeedEscapingParsesBack) {
  TTempFolder Folder;
  const std::string Name = "say \"hi\" \\ C:\\tmp\\ \x01\x1f\t\b\f\x7f end";
  const TTextLines Status = {"\"quoted\"", "back\\slash", std::string("nul \0 inside", 12), "tab\there"};
  TDrayData Data(Name);
  Data.AddStatData({}, &Status);
  Data.SaveToFile(Folder.Path("odd.draydata"));
  const TCliRun Show = RunCli("show --json " + Quoted(Folder.Path("odd.draydata")));
  ASSERT_EQ(Show.Status, 0) << Show.Err;
  const nlohmann::json Parsed = nlohmann::json::parse(Show.Out);
  EXPECT_EQ(Parsed["name"].get<std::string>(), Name);
  EXPECT_EQ(Parsed["status"].get<std::vector<std::string>>(), std::vector<std::string>(Status.begin(), Status.end()));
}

TEST(CliImportShow, SummaryOfTheShippedExample) {
  const TCliRun Show = RunCli("show " + Quoted(std::string(TONEGRAPH_EXAMPLES_DIR) + "/sample.draydata"));
  ASSERT_EQ(Show.Status, 0) << Show.Err;
  EXPECT_NE(Show.Out.find("Name:          Loaded from file\n"), std::string::npos);
  EXPECT_NE(Show.Out.find("VDSL profile:  17A\n"), std::string::npos);
  EXPECT_NE(Show.Out.find("HLog  US      8"), std::string::npos);
}

TEST(CliImportShow, FailuresAndWrongUsage) {
  TTempFolder Folder;
  struct TCase {
    std::string Args;
    int Status;
    std::string ErrStart;  // what stderr begins with
  };
  const TCase Cases[] = {
      {"show " + Quoted(Folder.Path("none.draydata")), 1,
       "tonegraph-cli: " + Folder.Path("none.draydata") + ": Cannot open file \"" + Folder.Path("none.draydata") +
           "\". No such file or directory\n"},
      {"show " + Quoted(FixturePath("line17a-hlog.txt")), 1,
       "tonegraph-cli: " + FixturePath("line17a-hlog.txt") + ": Invalid property value\n"},
      {"import --hlog " + Quoted(Folder.Path("none.txt")) + " -o " + Quoted(Folder.Path("x.draydata")), 1,
       "tonegraph-cli: " + Folder.Path("none.txt") + ": Cannot open file \"" + Folder.Path("none.txt") +
           "\". No such file or directory\n"},
      {"import --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " -o " + Quoted(Folder.Path("no/x.draydata")), 1,
       "tonegraph-cli: " + Folder.Path("no/x.draydata") + ": Cannot create file \"" + Folder.Path("no/x.draydata") +
           "\". No such file or directory\n"},
      {"import --profile 9z -o x", 2, "tonegraph-cli import: --profile: unknown profile '9z'\n"},
      {"import --hlog a", 2, "tonegraph-cli import: --output is required\n"},
      {"import --bogus -o x", 2, "tonegraph-cli import: The following argument was not expected: --bogus\n"},
      {"show", 2, "tonegraph-cli show: FILE is required\n"},
      {"show a b", 2, "tonegraph-cli show: The following argument was not expected: b\n"},
      {"show ''", 2, "tonegraph-cli show: FILE: the snapshot file name is empty\n"},
  };
  for (const TCase &Case : Cases) {
    const TCliRun Run = RunCli(Case.Args);
    EXPECT_EQ(Run.Status, Case.Status) << Case.Args;
    EXPECT_EQ(Run.Err.substr(0, Case.ErrStart.size()), Case.ErrStart) << Case.Args;
    EXPECT_EQ(Run.Out, "") << Case.Args;
  }
  // A failed import leaves no file behind.
  EXPECT_FALSE(std::filesystem::exists(Folder.Path("x.draydata")));
}

} // namespace

// "GroupSize : 99999" is read as the router's parsing reads it (its low byte,
// 159), but import warns, and analyze leaves the table out with a finding.
TEST(CliImport, WarnsOfAGroupSizeThatDoesNotFitTheProfile) {
  TTempFolder Folder;
  std::string Text = ReadBytes(FixturePath("line17a-hlog.txt"));
  const std::string Sizes = "GroupSize      :     8     8";
  ASSERT_NE(Text.find(Sizes), std::string::npos);
  Text.replace(Text.find(Sizes), Sizes.size(), "GroupSize      : 99999     8");
  const std::string HLog = Folder.Path("hlog.txt"), Snapshot = Folder.Path("x.draydata");
  WriteBytes(HLog, Text);
  const TCliRun Import = RunCli("import --profile 17A --hlog " + Quoted(HLog) + " -o " + Quoted(Snapshot));
  EXPECT_EQ(Import.Status, 0) << Import.Err;
  const std::string Misfit =
      "The HLOG group size 159 (upstream) does not fit the 4096 tones of 17A; that table is left out of the analysis";
  EXPECT_EQ(Import.Err, "warning: " + HLog + ": " + Misfit + "\n");
  const TCliRun Analyze = RunCli("analyze " + Quoted(Snapshot));
  EXPECT_EQ(Analyze.Status, 0) << Analyze.Err;
  EXPECT_NE(Analyze.Out.find(Misfit), std::string::npos) << Analyze.Out;
}
