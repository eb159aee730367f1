// tonegraph-cli retrieve against the simulated router on loopback, with its
// defaults from a configuration file saved as the window saves it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>
#include <string>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "Configuration.h"
#include "DrayData.h"
#include "RouterSim.h"
#include "TestFiles.h"

namespace {

class CliRetrieve : public testing::Test {
protected:
  void SetUp() override {
    TRouterSimOptions Options;
    Options.Name = "Vigor";
    Options.Password = "pw";
    FRouter = std::make_unique<TRouterSim>(Options);
    FPort = FRouter->Start();
    WriteBytes(FFolder.Path("password"), "pw\n");
  }

  TCliRun Retrieve(const std::string &AArgs) {
    return RunCli("retrieve --password-stdin -o " + Quoted(Output()) + " " + AArgs, FFolder.Path("password"));
  }

  std::string Config(const TConnectionSettings &ASettings) {
    SaveConfiguration(FFolder.Path("line.conf"), ASettings);
    return "--config " + Quoted(FFolder.Path("line.conf"));
  }

  std::string Output() const { return FFolder.Path("line.draydata"); }

  TTempFolder FFolder;
  std::unique_ptr<TRouterSim> FRouter;
  std::uint16_t FPort = 0;
};

TEST_F(CliRetrieve, TheConfigurationFileGivesRouterPortUserBinsAndRouterName) {
  TConnectionSettings Settings;
  Settings.Router = "127.0.0.1";
  Settings.Port = FPort;
  Settings.User = "admin";
  Settings.ShowBins = true;
  Settings.RouterName = "Vigor";  // the window's default would never see its prompt
  const TCliRun Run = Retrieve(Config(Settings));
  ASSERT_EQ(Run.Status, 0) << Run.Err;
  TDrayData Data;
  Data.LoadFromFile(Output());
  EXPECT_TRUE(Data.Name().ends_with("-Vigor.draydata")) << Data.Name();
  EXPECT_EQ(Data.VDSLProfile(), vp17a);
  EXPECT_FALSE(Data.BinStatsUSRaw().empty());
  EXPECT_FALSE(Data.BinStatsDSRaw().empty());
}

TEST_F(CliRetrieve, OptionsOnTheCommandLineWinOverTheConfigurationFile) {
  TConnectionSettings Settings;  // every value here would fail or differ
  Settings.Router = "127.0.0.2";  // nothing listens there
  Settings.Port = 1;
  Settings.User = "nobody";
  Settings.ShowBins = true;
  Settings.RouterName = "Other";
  const TCliRun Run = Retrieve(Config(Settings) + " --host 127.0.0.1 --port " + std::to_string(FPort) +
                               " --user admin --router-name Vigor --no-bins");
  ASSERT_EQ(Run.Status, 0) << Run.Err;
  TDrayData Data;
  Data.LoadFromFile(Output());
  EXPECT_TRUE(Data.Name().ends_with("-Vigor.draydata")) << Data.Name();
  EXPECT_FALSE(Data.HLogUSRaw().empty());
  EXPECT_TRUE(Data.BinStatsUSRaw().empty());
  EXPECT_TRUE(Data.BinStatsDSRaw().empty());
}

// The lines of stderr that begin with "[": one per command sent, in order.
std::vector<std::string> ProgressLines(const std::string &AErr) {
  std::vector<std::string> Lines;
  std::istringstream Stream(AErr);
  for (std::string Line; std::getline(Stream, Line);)
    if (Line.starts_with("["))
      Lines.push_back(Line);
  return Lines;
}

TEST_F(CliRetrieve, EachCommandSentIsALineOnStderr) {
  const std::vector<std::string> Commands = {
      "vdsl status bandinfo", "vdsl status", "vdsl status more", "vdsl status olr", "vdsl status counts",
      "vdsl annex", "vdsl inventory co", "vdsl inventory cpe", "vdsl status hlog", "vdsl status qln",
      "vdsl status snr", "vdsl showbins", "vdsl showbins up"};
  for (const bool Bins : {false, true}) {
    const std::size_t Steps = Bins ? 13 : 11;
    std::vector<std::string> Expected;
    for (std::size_t Step = 1; Step <= Steps; ++Step)
      Expected.push_back("[" + std::to_string(Step) + "/" + std::to_string(Steps) + "] " + Commands[Step - 1]);
    const TCliRun Run = Retrieve("--host 127.0.0.1 --port " + std::to_string(FPort) +
                                 " --user admin --router-name Vigor " + (Bins ? "--bins" : "--no-bins"));
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    EXPECT_EQ(ProgressLines(Run.Err), Expected) << Run.Err;
    // The progress texts of the window stay as they were.
    EXPECT_NE(Run.Err.find("Retrieving HLOG data, please wait...\n[9/"), std::string::npos) << Run.Err;
  }
}

TEST_F(CliRetrieve, ABrokenConfigurationFileFailsWithItsOwnMessageBeforeAnyConnection) {
  TConnectionSettings Settings;
  Settings.Router = "127.0.0.1";
  Settings.Port = FPort;
  Settings.User = "admin";
  SaveConfiguration(FFolder.Path("good.conf"), Settings);
  const std::string Good = ReadBytes(FFolder.Path("good.conf"));
  std::string Lower = Good;
  Lower.replace(2, 10, "tonegraph2");
  WriteBytes(FFolder.Path("lower.conf"), Lower);
  WriteBytes(FFolder.Path("cut.conf"), Good.substr(0, 30));
  TDrayData("x").SaveToFile(FFolder.Path("snapshot.draydata"));
  const struct {
    const char *File;
    std::string Message;
  } Cases[] = {
      {"missing.conf", "Cannot open file \"" + FFolder.Path("missing.conf") + "\". No such file or directory\n"},
      {"lower.conf", "Invalid configuration file\n"},
      {"snapshot.draydata", "Invalid configuration file\n"},
      {"cut.conf", "Stream read error\n"},
  };
  // Each line names the file it is about, then the system's own message.
  for (const auto &Case : Cases) {
    const TCliRun Run = Retrieve("--config " + Quoted(FFolder.Path(Case.File)) + " --host 127.0.0.1");
    EXPECT_EQ(Run.Status, 1) << Case.File;
    EXPECT_EQ(Run.Err, "tonegraph-cli: " + FFolder.Path(Case.File) + ": " + Case.Message) << Case.File;
    EXPECT_EQ(Run.Out, "") << Case.File;
  }
  EXPECT_FALSE(std::filesystem::exists(Output()));
  EXPECT_EQ(FRouter->ConnectionCount(), 0);
}

TEST_F(CliRetrieve, AConfigurationFileWithoutRouterOrUserIsWrongUsage) {
  TConnectionSettings Settings;
  Settings.Port = FPort;
  Settings.User = "admin";
  TCliRun Run = Retrieve(Config(Settings));
  EXPECT_EQ(Run.Status, 2);
  EXPECT_EQ(Run.Err.substr(0, Run.Err.find('\n')),
            "tonegraph-cli retrieve: the router (--host H, or --config FILE that names one) is required");
  Settings.Router = "127.0.0.1";
  Settings.User = "";
  Run = Retrieve(Config(Settings));
  EXPECT_EQ(Run.Status, 2);
  EXPECT_EQ(Run.Err.substr(0, Run.Err.find('\n')),
            "tonegraph-cli retrieve: the user (--user U, or --config FILE that names one) is required");
  EXPECT_EQ(FRouter->ConnectionCount(), 0);
}

// What a retrieval stores, status text included, is what analyze reads: every
// figure the simulated router reports comes out, and the tables give theirs.
TEST_F(CliRetrieve, ARetrievedSnapshotIsAnalysed) {
  const TCliRun Run =
      Retrieve("--host 127.0.0.1 --port " + std::to_string(FPort) + " --user admin --router-name Vigor --bins");
  ASSERT_EQ(Run.Status, 0) << Run.Err;
  const TCliRun Analyze = RunCli("analyze --json " + Quoted(Output()));
  ASSERT_EQ(Analyze.Status, 0) << Analyze.Err;
  const nlohmann::json Json = nlohmann::json::parse(Analyze.Out);
  const nlohmann::json &Reported = Json["reported"];
  EXPECT_EQ(Json["profile"], "17A");
  EXPECT_EQ(Reported["state"], "SHOWTIME");
  for (const char *Figure : {"actualRate", "attainableRate", "snrMargin", "attenuation"})
    for (const char *Direction : {"us", "ds"})
      EXPECT_TRUE(Reported[Figure][Direction].is_number()) << Figure << " " << Direction;
  ASSERT_FALSE(Reported["bands"].empty());
  EXPECT_EQ(Reported["bands"][0]["name"], "US0");
  EXPECT_TRUE(Reported["bands"][0]["latn"].is_number());
  for (const auto &[Name, Counter] : Reported["counters"].items()) {
    EXPECT_TRUE(Counter["near"].is_number()) << Name;
    EXPECT_TRUE(Counter["far"].is_number()) << Name;
  }
  for (const char *Direction : {"us", "ds"}) {
    EXPECT_GT(Json["bits"][Direction]["lineRate"].get<long long>(), 0) << Direction;
    EXPECT_TRUE(Json["snr"][Direction]["mean"].is_number()) << Direction;
  }
  EXPECT_GT(Json["loop"]["lengthM"].get<double>(), 0);
}

// The password from a file, as a service passes it; a file others may read,
// or none, fails before the router is asked anything.
TEST_F(CliRetrieve, ThePasswordFileGivesThePasswordOnlyWhenPrivate) {
  const std::string File = FFolder.Path("router.password");
  const std::string Refusal = "tonegraph-cli: " + File +
                              ": Refused: the password file may be read by others than its owner (mode 0644); make "
                              "it private with \"chmod 600 " + File + "\"";
  const struct {
    const char *Name;
    std::optional<std::string> Bytes; // none: no file
    std::filesystem::perms Mode;
    int Status;
    std::string FirstErrorLine; // "" when any
  } Cases[] = {
      {"private", "pw\n", std::filesystem::perms(0600), 0, ""},
      {"wrong password", "wrong\n", std::filesystem::perms(0600), 1, ""},
      {"others may read", "pw\n", std::filesystem::perms(0644), 1, Refusal},
      {"missing", std::nullopt, std::filesystem::perms(0600), 1,
       "tonegraph-cli: " + File + ": Cannot read the password file: No such file or directory"},
  };
  for (const auto &Case : Cases) {
    std::filesystem::remove(File);
    std::filesystem::remove(Output());
    if (Case.Bytes) {
      WriteBytes(File, *Case.Bytes);
      std::filesystem::permissions(File, Case.Mode);
    }
    const TCliRun Run = RunCli("retrieve --host 127.0.0.1 --port " + std::to_string(FPort) +
                               " --user admin --router-name Vigor --password-file " + Quoted(File) + " -o " +
                               Quoted(Output()));
    EXPECT_EQ(Run.Status, Case.Status) << Case.Name << "\n" << Run.Err;
    EXPECT_EQ(std::filesystem::exists(Output()), Case.Status == 0) << Case.Name;
    if (!Case.FirstErrorLine.empty()) {
      EXPECT_EQ(Run.Err.substr(0, Run.Err.find('\n')), Case.FirstErrorLine) << Case.Name;
    }
  }
}

} // namespace
