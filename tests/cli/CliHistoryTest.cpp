// tonegraph-cli watch, history and diff as a user runs them: against the
// simulated router on loopback, into real database files, killed and
// interrupted as a shell would, the metrics page read over HTTP and checked
// by Prometheus's own promtool.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <thread>

#include <SQLiteCpp/SQLiteCpp.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include "CliProcess.h"
#include "CliRun.h"
#include "DrayData.h"
#include "HistoryStore.h"
#include "RouterSim.h"
#include "TestFiles.h"

namespace {

using namespace std::chrono_literals;

std::string IntegrityOf(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  return Database.execAndGet("PRAGMA integrity_check").getString();
}

// The router is not there for the first attempt and comes up during the
// back-off: the failure is a capture of its own, with why, and the watch
// goes on. The simulator holds its port from the start without listening, so
// the first attempt is refused and nobody else can take the port meanwhile.
TEST(CliWatch, RecordsAFailureWithItsReasonAndGoesOn) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string Database = Folder.Path("line.tgdb");
  TRouterSim Router(TRouterSimOptions{});
  const std::uint16_t Port = Router.Bind();
  // After a failure the watch waits two intervals: the router is up long
  // before the second attempt, however slowly this test is scheduled.
  TBackgroundCli Watch(WatchArgs(Port, Database, "--every 1s --count 3"), Folder.Path("password"),
                       Folder.Path("err"));
  ASSERT_NE(Watch.WaitFor("capture 1: failed", 30s), "") << ReadBytes(Folder.Path("err"));
  Router.Start();
  ASSERT_EQ(Watch.Wait(60s), 0) << ReadBytes(Folder.Path("err"));
  const std::string Err = ReadBytes(Folder.Path("err"));
  const THistoryStore Store(Database, THistoryStore::TOpen::ReadOnly);
  const std::vector<TCapture> Captures = Store.Captures();
  ASSERT_EQ(Captures.size(), 3u) << Err;
  EXPECT_FALSE(Captures[0].Ok);
  EXPECT_NE(Captures[0].Error.find("Connection refused"), std::string::npos) << Captures[0].Error;
  EXPECT_TRUE(Captures[1].Ok);
  EXPECT_TRUE(Captures[2].Ok);
  EXPECT_EQ(Captures[2].Profile, "17A");
  EXPECT_EQ(std::count(Err.begin(), Err.end(), '\n'), 3) << Err;
  EXPECT_NE(Err.find("capture 1: failed: "), std::string::npos) << Err;
  EXPECT_NE(Err.find("capture 3: ok 17A"), std::string::npos) << Err;
}

// SIGKILL in the middle of a capture: the database is sound and holds every
// capture completed before, each of which loads. The watch is frozen before
// the kill, so the test knows the kill lands inside a capture: the router has
// accepted a connection the watch has not yet reported on.
TEST(CliWatch, KilledMidCaptureLeavesEveryCompletedCapture) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string Database = Folder.Path("line.tgdb");
  TRouterSimOptions Options;
  Options.AnswerDelayMs = 60; // a capture takes most of a second
  TRouterSim Router(Options);
  const std::uint16_t Port = Router.Start();
  TBackgroundCli Watch(WatchArgs(Port, Database, "--every 10ms"), Folder.Path("password"), Folder.Path("err"));
  ASSERT_NE(Watch.WaitFor("capture 2: ok", 60s), "");
  const auto Reported = [&] {
    const std::string Err = ReadBytes(Folder.Path("err"));
    return static_cast<int>(std::count(Err.begin(), Err.end(), '\n'));
  };
  bool Inside = false;
  const auto Deadline = std::chrono::steady_clock::now() + 60s;
  while (!Inside && std::chrono::steady_clock::now() < Deadline) {
    if (Router.ConnectionCount() <= Reported()) {
      std::this_thread::sleep_for(5ms);
      continue;
    }
    Watch.Signal(SIGSTOP);
    ASSERT_TRUE(Watch.WaitStopped(10s));
    Inside = Router.ConnectionCount() > Reported();
    if (!Inside)
      Watch.Signal(SIGCONT);
  }
  ASSERT_TRUE(Inside) << "no moment found with a capture under way";
  const int Completed = Reported();
  Watch.Signal(SIGKILL);
  EXPECT_EQ(Watch.Wait(10s), -1);
  EXPECT_EQ(IntegrityOf(Database), "ok");
  const THistoryStore Store(Database, THistoryStore::TOpen::ReadOnly);
  const std::vector<TCapture> Captures = Store.Captures();
  // The capture under way may have been stored already and not yet reported.
  ASSERT_GE(Captures.size(), static_cast<std::size_t>(Completed));
  ASSERT_LE(Captures.size(), static_cast<std::size_t>(Completed + 1));
  for (const TCapture &Capture : Captures) {
    EXPECT_TRUE(Capture.Ok) << Capture.Error;
    TDrayData Data;
    EXPECT_NO_THROW(Data.LoadFromBytes(Store.SnapshotBytes(Capture.Id))) << Capture.Id;
    EXPECT_EQ(Data.VDSLProfile(), vp17a);
  }
}

// The metrics page of a running watch passes promtool, and SIGINT ends the
// watch after its current retrieval with nothing lost.
TEST(CliWatch, ServesMetricsThatPromtoolAcceptsAndEndsCleanlyOnInterrupt) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string Database = Folder.Path("line.tgdb");
  TRouterSimOptions Options;
  Options.Name = "Vigor \"home\"";
  TRouterSim Router(Options);
  const std::uint16_t Port = Router.Start();
  TBackgroundCli Watch(WatchArgs(Port, Database, "--router-name " + Quoted(Options.Name) +
                                                     " --every 200ms --metrics 127.0.0.1:0"),
                       Folder.Path("password"), Folder.Path("err"));
  const std::string MetricsPort = Watch.WaitFor("metrics at http://127\\.0\\.0\\.1:([0-9]+)/metrics", 20s);
  ASSERT_NE(MetricsPort, "");
  ASSERT_NE(Watch.WaitFor("capture 1: ok", 30s), "");
  httplib::Client Client("127.0.0.1", std::stoi(MetricsPort));
  const httplib::Result Page = Client.Get("/metrics");
  ASSERT_TRUE(Page);
  EXPECT_EQ(Page->status, 200);
  EXPECT_NE(Page->body.find("tonegraph_actual_rate_bytes_per_second{router=\"Vigor \\\"home\\\"\",direction=\"ds\"} "),
            std::string::npos)
      << Page->body;
  EXPECT_NE(Page->body.find("# TYPE tonegraph_captures_total counter"), std::string::npos);
  WriteBytes(Folder.Path("metrics.txt"), Page->body);
  const int Checked = std::system(("promtool check metrics <" + Quoted(Folder.Path("metrics.txt")) + " >" +
                                   Quoted(Folder.Path("promtool.txt")) + " 2>&1")
                                      .c_str());
  EXPECT_EQ(Checked, 0) << ReadBytes(Folder.Path("promtool.txt")) << Page->body;

  Watch.Signal(SIGINT);
  EXPECT_EQ(Watch.Wait(30s), 0);
  EXPECT_EQ(IntegrityOf(Database), "ok");
  const THistoryStore Store(Database, THistoryStore::TOpen::ReadOnly);
  for (const TCapture &Capture : Store.Captures())
    EXPECT_TRUE(Capture.Ok) << Capture.Error;
}

// Snapshot files in, the same bytes out, and a comparison of two captures.
TEST(CliHistory, AddsFilesExportsThemByteForByteAndComparesCaptures) {
  TTempFolder Folder;
  TRouterSim Router(TRouterSimOptions{});
  const std::uint16_t Port = Router.Start();
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string First = Folder.Path("20261210-101500-DrayTek.draydata"), Second = Folder.Path("second.draydata");
  for (const std::string &File : {First, Second}) {
    const TCliRun Retrieved = RunCli("retrieve --host 127.0.0.1 --port " + std::to_string(Port) +
                                         " --user admin --password-stdin --bins -o " + Quoted(File),
                                     Folder.Path("password"));
    ASSERT_EQ(Retrieved.Status, 0) << Retrieved.Err;
  }
  const std::string Database = Folder.Path("line.tgdb");
  const TCliRun Added = RunCli("history " + Quoted(Database) + " --add " + Quoted(First) + " " + Quoted(Second));
  ASSERT_EQ(Added.Status, 0) << Added.Err;

  const TCliRun Listed = RunCli("history " + Quoted(Database) + " --json");
  ASSERT_EQ(Listed.Status, 0) << Listed.Err;
  const nlohmann::json Captures = nlohmann::json::parse(Listed.Out);
  ASSERT_EQ(Captures.size(), 2u);
  EXPECT_EQ(Captures[0]["ok"], true);
  EXPECT_EQ(Captures[0]["profile"], "17A");
  EXPECT_TRUE(Captures[0]["lineRate"]["ds"].is_number());
  // The first file's time comes from its name (local time), the second's
  // from the file.
  std::tm Local{};
  Local.tm_year = 126, Local.tm_mon = 11, Local.tm_mday = 10, Local.tm_hour = 10, Local.tm_min = 15;
  Local.tm_isdst = -1;
  const std::time_t Named = std::mktime(&Local);
  char Expected[32];
  std::strftime(Expected, sizeof Expected, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&Named));
  EXPECT_TRUE(Captures[0]["time"] == Expected || Captures[1]["time"] == Expected) << Listed.Out;

  for (const auto &Capture : Captures) {
    const std::string Out = Folder.Path("export-" + Capture["id"].dump() + ".draydata");
    const TCliRun Exported =
        RunCli("history " + Quoted(Database) + " --export " + Capture["id"].dump() + " -o " + Quoted(Out));
    ASSERT_EQ(Exported.Status, 0) << Exported.Err;
  }
  const std::string Exported1 = ReadBytes(Folder.Path("export-1.draydata"));
  EXPECT_TRUE(Exported1 == ReadBytes(First) || Exported1 == ReadBytes(Second));

  const TCliRun Compared = RunCli("diff " + Quoted(Database + ":1") + " " + Quoted(Database + ":2") + " --json");
  ASSERT_EQ(Compared.Status, 0) << Compared.Err;
  const nlohmann::json Diff = nlohmann::json::parse(Compared.Out);
  EXPECT_EQ(Diff["tones"].size(), 4096u);
  EXPECT_EQ(Diff["tones"][100]["snr"]["ds"], 0);  // the simulated line is the same each time
  EXPECT_EQ(Diff["gainedBits"]["ds"].size(), 0u);

  const std::string Before = ReadBytes(First);
  const TCliRun Missing = RunCli("history " + Quoted(Database) + " --export 7 -o " + Quoted(First));
  EXPECT_EQ(Missing.Status, 1);
  EXPECT_NE(Missing.Err.find("No capture 7 with a snapshot"), std::string::npos) << Missing.Err;
  EXPECT_EQ(ReadBytes(First), Before) << "a failed export leaves the file as it was";
}

// The name history --add reads a capture time from: local time ADaysAgo at
// AHour:AMinute.
std::string NameOfDaysAgo(int ADaysAgo, int AHour, int AMinute) {
  const std::time_t Then = std::time(nullptr) - ADaysAgo * 86400;
  std::tm Local = *std::localtime(&Then);
  Local.tm_hour = AHour, Local.tm_min = AMinute, Local.tm_sec = 0;
  char Name[64];
  std::strftime(Name, sizeof Name, "%Y%m%d-%H%M%S-Vigor.draydata", &Local);
  return Name;
}

// Three captures of one day ten days ago and one of today: a policy that
// keeps a day's detail and then one a day drops two, says so first when
// asked, and keeps every capture's figures; watch --keep thins as it goes;
// a policy it cannot read is refused in its own words.
TEST(CliHistory, ThinsByARetentionPolicy) {
  TTempFolder Folder;
  TRouterSim Router(TRouterSimOptions{});
  const std::uint16_t Port = Router.Start();
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string Snapshot = Folder.Path("snapshot.draydata");
  ASSERT_EQ(RunCli("retrieve --host 127.0.0.1 --port " + std::to_string(Port) +
                       " --user admin --password-stdin -o " + Quoted(Snapshot),
                   Folder.Path("password"))
                .Status,
            0);
  std::string Files;
  for (const std::string &Name : {NameOfDaysAgo(10, 12, 0), NameOfDaysAgo(10, 12, 10), NameOfDaysAgo(10, 12, 20),
                                  NameOfDaysAgo(0, 0, 0)}) {
    std::filesystem::copy_file(Snapshot, Folder.Path(Name));
    Files += " " + Quoted(Folder.Path(Name));
  }
  const std::string Database = Folder.Path("line.tgdb");
  ASSERT_EQ(RunCli("history " + Quoted(Database) + " --add" + Files).Status, 0);

  const std::string Thin = "history " + Quoted(Database) + " --thin --keep all:2d,1d";
  const TCliRun Dry = RunCli(Thin + " --dry-run");
  EXPECT_EQ(Dry.Status, 0) << Dry.Err;
  EXPECT_EQ(Dry.Err, "would drop 2 of 4 snapshots\n");
  const TCliRun Thinned = RunCli(Thin);
  EXPECT_EQ(Thinned.Status, 0) << Thinned.Err;
  EXPECT_EQ(Thinned.Err, "thinned \"" + Database + "\": dropped 2 of 4 snapshots\n");
  EXPECT_EQ(IntegrityOf(Database), "ok");
  const TCliRun Listed = RunCli("history " + Quoted(Database) + " --json");
  EXPECT_EQ(nlohmann::json::parse(Listed.Out).size(), 4u);
  const TCliRun Gone = RunCli("history " + Quoted(Database) + " --export 2 -o " + Quoted(Folder.Path("2.draydata")));
  EXPECT_NE(Gone.Err.find("No capture 2 with a snapshot"), std::string::npos) << Gone.Err;
  const TCliRun Kept = RunCli("history " + Quoted(Database) + " --export 1 -o " + Quoted(Folder.Path("1.draydata")));
  EXPECT_EQ(Kept.Status, 0) << Kept.Err;
  EXPECT_EQ(ReadBytes(Folder.Path("1.draydata")), ReadBytes(Snapshot));

  // Only the capture it makes is younger than a minute.
  const TCliRun Watched = RunCli(WatchArgs(Port, Database, "--no-bins --every 1s --count 1 --keep all:1m"),
                                 Folder.Path("password"));
  EXPECT_EQ(Watched.Status, 0) << Watched.Err;
  EXPECT_NE(Watched.Err.find("thinned \"" + Database + "\": dropped "), std::string::npos) << Watched.Err;
  for (const char *Id : {"4", "5"}) {
    const TCliRun Export = RunCli("history " + Quoted(Database) + " --export " + Id + " -o " +
                                  Quoted(Folder.Path(std::string(Id) + ".draydata")));
    EXPECT_EQ(Export.Status, Id == std::string("5") ? 0 : 1) << Id << ": " << Export.Err;
  }

  const TCliRun Refused = RunCli("history " + Quoted(Database) + " --thin --keep all:7d,1h,1d");
  EXPECT_NE(Refused.Status, 0);
  EXPECT_NE(Refused.Err.find("'all:7d,1h,1d' is not a retention policy like all:7d,1h:90d,1d: only the last tier may "
                             "go on for ever"),
            std::string::npos)
      << Refused.Err;
}

// A history the program before wrote is upgraded by the first writer, which
// says so on stderr, once.
TEST(CliHistory, SaysWhenItUpgradesAHistory) {
  TTempFolder Folder;
  const std::string Database = Folder.Path("old.tgdb");
  std::filesystem::copy_file(FixturePath("history-schema2.tgdb"), Database);
  const std::string Thin = "history " + Quoted(Database) + " --thin --keep all";
  const TCliRun Upgraded = RunCli(Thin);
  EXPECT_EQ(Upgraded.Status, 0) << Upgraded.Err;
  EXPECT_EQ(Upgraded.Err, "Upgraded history \"" + Database + "\" in place from schema 2 to 3\nthinned \"" +
                              Database + "\": dropped 0 of 4 snapshots\n");
  const TCliRun Again = RunCli(Thin);
  EXPECT_EQ(Again.Err, "thinned \"" + Database + "\": dropped 0 of 4 snapshots\n");
}

} // namespace
