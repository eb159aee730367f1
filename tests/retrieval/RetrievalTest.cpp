#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "DrayData.h"
#include "ReaderHarness.h"
#include "RouterAnswers.h"
#include "RouterSim.h"
#include "ScriptedPeer.h"
#include "TelnetClient.h"

namespace {

std::unique_ptr<TRouterSim> StartSim(TRouterSimOptions AOptions) {
  auto Sim = std::make_unique<TRouterSim>(std::move(AOptions));
  Sim->Start();
  return Sim;
}

TReaderSetup SetupFor(const TRouterSim &ASim, bool ABins) {
  TReaderSetup Setup;
  Setup.Port = ASim.Port();
  Setup.User = ASim.Options().User;
  Setup.Password = ASim.Options().Password;
  Setup.RouterName = ASim.Options().Name;
  Setup.Bins = ABins;
  return Setup;
}

int CountValues(const TDrayStatArray &ATable) {
  return static_cast<int>(std::count_if(ATable.begin(), ATable.end(),
                                        [](const TStatValue &AValue) { return AValue.HasValue(); }));
}

int CountLoaded(const TDrayBinArray &ATable) {
  return static_cast<int>(std::count_if(ATable.begin(), ATable.end(),
                                        [](const TDrayBinEntry &AEntry) { return AEntry.ToneBits > 0; }));
}

// The router's answer body of ACommand, cut as a retrieval cuts it: the
// echo line is gone already, so ATrimStart - 1 more lines go from the front.
TTextLines Body(const TRouterAnswers &AAnswers, const char *ACommand, int ATrimStart) {
  TTextLines Lines = SplitText(*AAnswers.Find(ACommand));
  Lines.RemoveFirst(static_cast<std::size_t>(ATrimStart - 1));
  Lines.RemoveLast(1); // the empty line before the prompt; the prompt is the other
  return Lines;
}

TTextLines ExpectedStatusText(TVDSLProfile AProfile) {
  TRouterSimOptions Options;
  Options.Profile = AProfile;
  const TRouterAnswers Answers(Options);
  TTextLines Text = Body(Answers, "vdsl status bandinfo", 2);
  auto Add = [&Text](std::vector<std::string> AHeader, const TTextLines &ALines) {
    Text.Append(AHeader.begin(), AHeader.end());
    Text.Append(ALines);
  };
  Add({"", " (LATN = Loop Attenuation, SATN = Signal Attenuation)", "", " [ STATUS ]"},
      Body(Answers, "vdsl status", 2));
  Add({""}, Body(Answers, "vdsl status more", 2));
  Add({""}, Body(Answers, "vdsl status olr", 2));
  Add({}, Body(Answers, "vdsl status counts", 2));
  Add({" [ INVENTORY ]", ""}, Body(Answers, "vdsl annex", 1));
  Add({" [ CO ]"}, Body(Answers, "vdsl inventory co", 1));
  Add({" [ CPE ]"}, Body(Answers, "vdsl inventory cpe", 1));
  return Text;
}

class FullRetrieval : public ::testing::TestWithParam<TVDSLProfile> {};

TEST_P(FullRetrieval, FillsEveryTableAndPostsEveryRequestInOrder) {
  TRouterSimOptions Options;
  Options.Profile = GetParam();
  Options.Name = "Vigor";
  Options.SplitPrompts = GetParam() == vp30a; // prompts may come in pieces
  auto Sim = StartSim(Options);
  TDrayData Data("run");
  const TReaderOutcome Outcome = RunReader(SetupFor(*Sim, true), Data);

  EXPECT_EQ(Outcome.End, TRetrievalEnd::Complete);
  EXPECT_EQ(Outcome.Reason, "");
  EXPECT_TRUE(Outcome.Unanswered.empty());
  EXPECT_EQ(Outcome.Calls, FullRetrievalCalls(ProfileName(GetParam()), true));
  EXPECT_EQ(Data.VDSLProfile(), GetParam());
  EXPECT_EQ(Data.Stats(), ExpectedStatusText(GetParam()));
  for (const TDrayStatArray *Table : {&Data.HLogStatsUS(), &Data.HLogStatsDS(), &Data.QLNStatsUS(),
                                      &Data.QLNStatsDS(), &Data.SNRStatsUS(), &Data.SNRStatsDS()})
    EXPECT_GT(CountValues(*Table), 40);
  EXPECT_GT(Data.HLogMultipliers()[0], 0);
  EXPECT_EQ(Data.SNRMultipliers()[1], Data.SNRMultipliers()[0]);
  EXPECT_GT(CountLoaded(Data.ShowBinStatsDS()), 500);
  EXPECT_GT(CountLoaded(Data.ShowBinStatsUS()), 100);
}

INSTANTIATE_TEST_SUITE_P(Profiles, FullRetrieval, ::testing::Values(vp8b, vp17a, vp30a, vp35b),
                         [](const auto &AInfo) { return std::string(ProfileName(AInfo.param)); });

TEST(Retrieval, WithoutBinsTheBinChartsAreStillRedrawn) {
  auto Sim = StartSim({});
  TDrayData Data;
  const TReaderOutcome Outcome = RunReader(SetupFor(*Sim, false), Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Complete);
  EXPECT_EQ(Outcome.Calls, FullRetrievalCalls("17A", false));
  EXPECT_EQ(CountLoaded(Data.ShowBinStatsDS()), 0);
  EXPECT_TRUE(Data.BinStatsDSRaw().empty());
  EXPECT_GT(CountValues(Data.SNRStatsDS()), 40);
}

struct TRefusal {
  const char *Name;
  TRouterSimOptions Options;
  std::string Reason;
};

TRouterSimOptions With(void (*AChange)(TRouterSimOptions &)) {
  TRouterSimOptions Options;
  AChange(Options);
  return Options;
}

class RetrievalRefused : public ::testing::TestWithParam<TRefusal> {};

TEST_P(RetrievalRefused, ReportsTheReasonAndFillsNothing) {
  auto Sim = StartSim(GetParam().Options);
  TDrayData Data;
  TReaderSetup Setup = SetupFor(*Sim, true);
  Setup.Password = "secret";
  Setup.Timeouts = {1000, 1000};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, GetParam().Reason);
  EXPECT_TRUE(Data.Stats().empty());
  EXPECT_EQ(Outcome.Calls.back(), "terminate");
}

INSTANTIATE_TEST_SUITE_P(
    Routers, RetrievalRefused,
    ::testing::Values(
        TRefusal{"WrongPassword", {}, "Invalid login"},
        TRefusal{"PasswordRefused",
                 With([](TRouterSimOptions &AOptions) {
                   AOptions.Password = "secret";
                   AOptions.RefusePassword = true;
                 }),
                 "Invalid login"},
        TRefusal{"SilentRouter", With([](TRouterSimOptions &AOptions) { AOptions.Silent = true; }),
                 "Unable to connect"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

TEST(Retrieval, SecondConnectionIsRefusedWhileOneIsOpen) {
  TRouterSimOptions Options;
  Options.SingleConnection = true;
  auto Sim = StartSim(Options);
  TTelnetClient First;
  First.SetHost("127.0.0.1");
  First.SetPort(Sim->Port());
  std::atomic<bool> Greeted{false};
  First.OnDataAvailable = [&](TTelnetClient &, const std::string &ABuffer) {
    if (ABuffer.find("Account:") != std::string::npos)
      Greeted.store(true);
  };
  First.Connect();
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!Greeted.load() && std::chrono::steady_clock::now() < Deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(Greeted.load()) << "the first connection was never greeted";
  TDrayData Data;
  const TReaderOutcome Outcome = RunReader(SetupFor(*Sim, false), Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, "Only a single connection is allowed");
  First.Disconnect();
}

TEST(Retrieval, UnknownAnnexCommandLeavesOutItsLinesOnly) {
  TRouterSimOptions Options;
  Options.UnknownCommand = "vdsl annex";
  auto Sim = StartSim(Options);
  TDrayData Data;
  const TReaderOutcome Outcome = RunReader(SetupFor(*Sim, false), Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Unanswered, std::vector<std::string>{"vdsl annex"});
  const TTextLines &Stats = Data.Stats();
  const auto Inventory = std::find(Stats.begin(), Stats.end(), " [ INVENTORY ]");
  ASSERT_NE(Inventory, Stats.end());
  ASSERT_NE(Inventory + 1, Stats.end());
  EXPECT_EQ(*(Inventory + 1), " [ CO ]");
  EXPECT_EQ(std::count(Stats.begin(), Stats.end(), "% Valid subcommands are:"), 0);
}

TEST(Retrieval, DataByte255ReachesTheStatusText) {
  TRouterSimOptions Options;
  Options.IacInData = true;
  auto Sim = StartSim(Options);
  TDrayData Data;
  RunReader(SetupFor(*Sim, false), Data);
  ASSERT_FALSE(Data.Stats().empty());
  EXPECT_EQ(Data.Stats().back(), "  Serial Number          : 1A2B3C4D5E6F\xC3\xBF");
}

TEST(Retrieval, ConnectionLostAfterLogonLeavesTheRestOutQuietly) {
  TRouterSimOptions Options;
  Options.DropCommand = "vdsl status hlog";
  auto Sim = StartSim(Options);
  TDrayData Data;
  TReaderSetup Setup = SetupFor(*Sim, false);
  Setup.Timeouts = {1000, 1000};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Reason, "");
  const std::vector<std::string> Lost = {"vdsl status hlog", "vdsl status qln", "vdsl status snr"};
  EXPECT_EQ(Outcome.Unanswered, Lost);
  EXPECT_EQ(Outcome.Answered, 8);
  EXPECT_FALSE(Outcome.GotNothing());
  EXPECT_EQ(Outcome.Calls, FullRetrievalCalls("17A", false));
  EXPECT_EQ(Data.Stats(), ExpectedStatusText(vp17a));
  EXPECT_TRUE(Data.HLogDSRaw().empty());
  EXPECT_EQ(CountValues(Data.QLNStatsDS()), 0);
  EXPECT_EQ(CountValues(Data.SNRStatsDS()), 0);
}

// Without a prompt the answer would grow until the wait ran out; past 16 MiB
// the command fails at once and the sequence goes on.
TEST(Retrieval, EndlessAnswerFailsThatCommandOnly) {
  TRouterSimOptions Options;
  Options.EndlessCommand = "vdsl showbins up";
  auto Sim = StartSim(Options);
  TDrayData Data;
  const TReaderOutcome Outcome = RunReader(SetupFor(*Sim, true), Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Unanswered, std::vector<std::string>{"vdsl showbins up"});
  EXPECT_EQ(Outcome.Calls, FullRetrievalCalls("17A", true));
  EXPECT_TRUE(Data.BinStatsUSRaw().empty());
  EXPECT_GT(CountLoaded(Data.ShowBinStatsDS()), 500);
}

// A stop while the SNR answer is awaited: the window's stop lets it come and
// keeps it; a stop that cannot wait (a service being stopped) gives it up.
// Either way the sequence ends there: no bins texts or commands follow, nor
// the bins group, counted out of 13 since bins were asked for.
TEST(Retrieval, StopDuringTheSnrAnswerSkipsTheBins) {
  const struct {
    const char *Stop;
    std::uint32_t AnswerDelayMs;
    void (TRetrievalRun::*Request)();
    std::vector<std::string> Unanswered;
    bool SNRKept;
  } Cases[] = {
      {"Stop", 1000, &TRetrievalRun::Stop, {}, true},
      {"StopAtOnce", 60000, &TRetrievalRun::StopAtOnce, {"vdsl status snr"}, false},
  };
  for (const auto &Case : Cases) {
    TRouterSimOptions Options;
    Options.SlowCommand = "vdsl status snr";
    Options.AnswerDelayMs = Case.AnswerDelayMs; // the stop request comes while it waits
    auto Sim = StartSim(Options);
    TDrayData Data;
    TReaderSetup Setup = SetupFor(*Sim, true);
    Setup.OnCall = [&Case](const std::string &ACall, TRetrievalRun &ARun) {
      if (ACall == "status:Retrieving SNR data, please wait...")
        (ARun.*Case.Request)();
    };
    const TReaderOutcome Outcome = RunReader(Setup, Data);
    EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial) << Case.Stop;
    EXPECT_TRUE(Outcome.Stopped) << Case.Stop;
    EXPECT_EQ(Outcome.Unanswered, Case.Unanswered) << Case.Stop;
    std::vector<std::string> Expected = FullRetrievalCalls("17A", true);
    Expected.erase(Expected.end() - 7, Expected.end() - 2);
    EXPECT_EQ(Outcome.Calls, Expected) << Case.Stop;
    EXPECT_EQ(CountValues(Data.SNRStatsDS()) > 40, Case.SNRKept) << Case.Stop;
    EXPECT_GT(CountValues(Data.QLNStatsDS()), 40) << Case.Stop;
    EXPECT_TRUE(Data.BinStatsDSRaw().empty()) << Case.Stop;
  }
}

// HLog answered after its wait ran out: HLog is left out, its chart is still
// drawn (empty), and QLN goes out next; the late text arrives during the QLN
// wait, which ends at its prompt with whatever has come by then.
TEST(Retrieval, TimedOutCommandIsLeftOutAndTheNextGoesOn) {
  TRouterSimOptions Options;
  Options.SlowCommand = "vdsl status hlog";
  Options.AnswerDelayMs = 750; // halfway through the next command's wait
  auto Sim = StartSim(Options);
  TDrayData Data;
  TReaderSetup Setup = SetupFor(*Sim, false);
  Setup.Timeouts = {500, 500};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Unanswered, std::vector<std::string>{"vdsl status hlog"});
  EXPECT_EQ(Outcome.Calls, FullRetrievalCalls("17A", false));
  EXPECT_EQ(CountValues(Data.HLogStatsDS()), 0);
  EXPECT_TRUE(Data.HLogDSRaw().empty());
  EXPECT_GT(CountValues(Data.SNRStatsDS()), 40);
}

// A router that answers every command with its bare prompt: each answer has
// fewer lines than its trim, which leaves nothing of it, and the status
// answer then names no profile.
TEST(Retrieval, ShortAnswersAndAnUnknownProfile) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.Send("Account:");
    APeer.ReadUntil("\r\n");
    APeer.Send("Password: ");
    APeer.ReadUntil("\r\n");
    APeer.Send("\r\nDrayTek> ");
    while (APeer.ReadUntil("\r\n", 2000))
      APeer.Send("DrayTek> ");
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Reason, "Unable to retrieve profile from VDSL data");
  const TTextLines ExpectedStats = {"", " (LATN = Loop Attenuation, SATN = Signal Attenuation)", "",
                                    " [ STATUS ]"};
  EXPECT_EQ(Data.Stats(), ExpectedStats);
  const std::vector<std::string> ExpectedCalls = {
      "status:Connecting to the router, please wait...", "status:Connected to router, logging in...",
      "status:Retrieving data...", "status:Retrieving statistics, please wait...",
      "progress:1/11 vdsl status bandinfo", "progress:2/11 vdsl status", "status:", "terminate"};
  EXPECT_EQ(Outcome.Calls, ExpectedCalls);
}

// A router whose answers a test writes: the echo of each command line, the
// answer given (if any) and the prompt.
void PlayLogon(TScriptedPeer &APeer) {
  std::string Line;
  APeer.Send("Account:");
  APeer.ReadLine(Line);
  APeer.Send("Password: ");
  APeer.ReadLine(Line);
  APeer.Send("\r\nDrayTek> ");
}

void PlayRouter(TScriptedPeer &APeer, const std::map<std::string, std::string> &AAnswers) {
  PlayLogon(APeer);
  std::string Line;
  while (APeer.ReadLine(Line, 2000)) {
    const auto Found = AAnswers.find(Line);
    APeer.Send(Line + "\r\n" + (Found == AAnswers.end() ? "" : Found->second) + "DrayTek> ");
  }
}

TEST(Retrieval, ErrorMarkerCountsOnlyWithoutCommandMissing) {
  const std::map<std::string, std::string> Answers = {
      {"vdsl status", " ---\r\n  Running Mode            :      8B\r\n\r\n"},
      {"vdsl annex", "% Valid subcommands are:\r\n% Command missing\r\n\r\n"},
      {"vdsl inventory co", "% valid SUBCOMMANDS are:\r\n   co   cpe\r\n\r\n"},
      {"vdsl inventory cpe", "  CPE line\r\n\r\n"}};
  TScriptedPeer Peer([&](TScriptedPeer &APeer) { PlayRouter(APeer, Answers); });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Reason, "");
  EXPECT_EQ(Outcome.Unanswered, std::vector<std::string>{"vdsl inventory co"});
  EXPECT_EQ(Data.VDSLProfile(), vp8b);
  const TTextLines Expected = {"", " (LATN = Loop Attenuation, SATN = Signal Attenuation)", "",
                               " [ STATUS ]", "  Running Mode            :      8B", "", "",
                               " [ INVENTORY ]", "", "% Valid subcommands are:",
                               "% Command missing", " [ CPE ]", "  CPE line"};
  EXPECT_EQ(Data.Stats(), Expected);
}

} // namespace

namespace {

// A router that answers the first command with an endless stream of option
// requests and reads nothing from then on, not even our answers. Writing to
// it would block for good; instead the client gives the connection up after
// its write timeout, and the remaining commands fail at once.
TEST(Retrieval, NegotiationFloodFromARouterThatStopsReadingEndsTheRun) {
  std::atomic<bool> HungUp{false};
  TScriptedPeer Peer([&HungUp](TScriptedPeer &APeer) {
    PlayLogon(APeer);
    APeer.ReadUntil("vdsl status bandinfo\r\n");
    std::string Flood;
    for (int I = 0; I < 20000; ++I)
      Flood += B({255, 253, 31}); // IAC DO NAWS, answered with IAC WONT NAWS
    for (int I = 0; I < 400; ++I)
      APeer.Send(Flood);
    // However long the flood took on a busy machine, the peer holds on until
    // the client hangs up or the test ends it.
    HungUp = APeer.HoldWithoutReading(600000);
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  Setup.Timeouts = {1000, 1000};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Unanswered.size(), 11u);
  EXPECT_TRUE(Outcome.GotNothing());
  // The run has ended, so the client has closed its socket: the peer sees it
  // at once, unless the hang-up is stuck behind answers it never read.
  EXPECT_TRUE(Peer.WaitDone(30000));
  EXPECT_TRUE(HungUp.load()) << "the client must hang up on a router that reads nothing";
}

} // namespace

namespace {

// An answer with a number that does not fit is left out of the snapshot, as
// any failed parse is, and what the run did keep saves and loads again.
TEST(Retrieval, AnswerThatCannotBeParsedIsNotKeptAndTheRestSavesAndLoads) {
  const std::map<std::string, std::string> Answers = {
      {"vdsl status", " ---\r\n  Running Mode            :      17A\r\n\r\n"},
      {"vdsl status hlog", " GroupSize : 8 8\r\n US: (dB)\r\nbin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,\r\n\r\n"
                           " DS: (dB)\r\nbin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,\r\n\r\n"},
      {"vdsl status snr", " GroupSize : 8 8\r\n US: (dB)\r\nbin=   0:  99999999999, 2, 3, 4, 5, 6, 7, 8,\r\n\r\n"}};
  TScriptedPeer Peer([&](TScriptedPeer &APeer) { PlayRouter(APeer, Answers); });
  TDrayData Data("run");
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Partial);
  EXPECT_EQ(Outcome.Reason, "'99999999999' is not a valid integer value");
  EXPECT_TRUE(Data.SNRUSRaw().empty());
  ASSERT_FALSE(Data.HLogUSRaw().empty());
  const std::string File = ::testing::TempDir() + "retrieval-parse-failure.draydata";
  Data.SaveToFile(File);
  TDrayData Loaded;
  Loaded.LoadFromFile(File);
  EXPECT_EQ(Loaded.HLogUSRaw(), Data.HLogUSRaw());
  EXPECT_TRUE(Loaded.SNRUSRaw().empty());
  std::remove(File.c_str());
}

} // namespace
