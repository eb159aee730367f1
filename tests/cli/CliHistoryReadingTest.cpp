// tonegraph-cli watch keeping a partial retrieval, and history and diff
// reading a database where nothing may be written: the real binary, the
// simulated router on loopback, real database files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "DrayData.h"
#include "HistoryStore.h"
#include "RouterSim.h"
#include "TestFiles.h"

namespace {

// watch as a user runs it against the simulated router on APort, the
// password from a file in AFolder.
TCliRun Watch(std::uint16_t APort, const TTempFolder &AFolder, const std::string &ADatabase, const std::string &AMore) {
  WriteBytes(AFolder.Path("password"), "admin\n");
  return RunCli("watch --host 127.0.0.1 --port " + std::to_string(APort) + " --user admin --password-stdin " + AMore +
                    " --every 10ms --into " + Quoted(ADatabase),
                AFolder.Path("password"));
}

// The router closes the connection halfway through one answer. Cut after
// the tables' first commands the snapshot is kept and marked partial with
// what it lacks; cut at the very first command nothing came back, and the
// attempt is a failure as retrieve has it.
TEST(CliWatch, KeepsAPartialRetrievalAndSaysWhatItLacks) {
  const std::string Lacks = "no answer to \"vdsl status snr\"; no answer to \"vdsl showbins\"; "
                            "no answer to \"vdsl showbins up\"";
  const struct {
    const char *Dropped;
    bool Kept;
    std::string Line;
  } Cases[] = {
      {"vdsl status snr", true, "capture 1: partial 17A us "},
      {"vdsl status bandinfo", false, "capture 1: failed: no answer to \"vdsl status bandinfo\"; "},
  };
  for (const auto &Case : Cases) {
    TRouterSimOptions Options;
    Options.DropCommand = Case.Dropped;
    TRouterSim Router(Options);
    const std::uint16_t Port = Router.Start();
    TTempFolder Folder;
    const std::string Database = Folder.Path("line.tgdb");
    const TCliRun Watched = Watch(Port, Folder, Database, "--count 1");
    ASSERT_EQ(Watched.Status, 0) << Watched.Err;
    EXPECT_NE(Watched.Err.find(Case.Line), std::string::npos) << Watched.Err;

    const THistoryStore Store(Database, THistoryStore::TOpen::ReadOnly);
    const std::vector<TCapture> Captures = Store.Captures();
    ASSERT_EQ(Captures.size(), 1u) << Case.Dropped;
    EXPECT_EQ(Captures[0].Ok, Case.Kept) << Case.Dropped;
    if (!Case.Kept) {
      EXPECT_THROW(Store.SnapshotBytes(Captures[0].Id), std::exception);
      continue;
    }
    EXPECT_EQ(Captures[0].Partial, Lacks);
    EXPECT_NE(Watched.Err.find(", bins: " + Lacks + "\n"), std::string::npos) << Watched.Err;
    TDrayData Kept;
    Kept.LoadFromBytes(Store.SnapshotBytes(Captures[0].Id));
    EXPECT_EQ(Kept.VDSLProfile(), vp17a);
    EXPECT_FALSE(Kept.Raw(TDrayKind::HLog, TDirection::Downstream).empty());
    EXPECT_TRUE(Kept.Raw(TDrayKind::SNR, TDirection::Downstream).empty());

    const TCliRun Listed = RunCli("history " + Quoted(Database));
    ASSERT_EQ(Listed.Status, 0) << Listed.Err;
    EXPECT_NE(Listed.Out.find("  partial: " + Lacks + "\n"), std::string::npos) << Listed.Out;
    const TCliRun Json = RunCli("history " + Quoted(Database) + " --json");
    ASSERT_EQ(Json.Status, 0) << Json.Err;
    const nlohmann::json Entry = nlohmann::json::parse(Json.Out).at(0);
    EXPECT_EQ(Entry["partial"], Lacks);
    EXPECT_EQ(Entry["ok"], true);
    EXPECT_TRUE(Entry["error"].is_null());
    EXPECT_EQ(Entry["profile"], "17A");
    EXPECT_TRUE(Entry["actualRate"]["ds"].is_number());
  }
}

// history and diff as a user who may not write where the database lies:
// the same answers as where they may, and nothing written or made there.
TEST(CliHistory, ReadsADatabaseInAReadOnlyFolder) {
  TTempFolder Folder;
  const std::string Database = Folder.Path("line.tgdb");
  {
    // Gone with its threads before the unprivileged reader is forked.
    TRouterSim Router(TRouterSimOptions{});
    const TCliRun Watched = Watch(Router.Start(), Folder, Database, "--no-bins --count 2");
    ASSERT_EQ(Watched.Status, 0) << Watched.Err;
  }
  const std::string Listing = Folder.Listing(), Bytes = ReadBytes(Database);
  const std::string Commands[] = {"history " + Quoted(Database),
                                  "history " + Quoted(Database) + " --json",
                                  "history " + Quoted(Database) + " --envelope --json",
                                  "diff " + Quoted(Database + ":1") + " " + Quoted(Database + ":2") + " --json"};
  std::vector<std::string> ReadOnly;
  for (const std::string &Command : Commands)
    ReadOnly.push_back(InAReadOnlyFolder(Folder.Folder(), [&] {
      const TCliRun Run = RunCli(Command);
      return std::to_string(Run.Status) + "\n" + Run.Err + Run.Out;
    }));
  EXPECT_EQ(Folder.Listing(), Listing);
  EXPECT_EQ(ReadBytes(Database), Bytes);
  for (std::size_t I = 0; I < std::size(Commands); ++I) {
    const TCliRun Writable = RunCli(Commands[I]);
    ASSERT_EQ(Writable.Status, 0) << Writable.Err;
    EXPECT_GT(Writable.Out.size(), 100u) << Commands[I];
    EXPECT_EQ(ReadOnly[I], "0\n" + Writable.Out) << Commands[I];
  }
}

} // namespace
