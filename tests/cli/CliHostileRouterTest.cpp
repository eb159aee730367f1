// tonegraph-cli retrieve against a hostile router: every misbehaviour of the
// simulated router at every step of the logon and of the command sequence.
// Each run must end, stay within bounded memory, end as the rules say, and
// leave nothing on disk that does not load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "CliRun.h"
#include "DrayData.h"
#include "RouterSim.h"
#include "TestFiles.h"

namespace {

const std::vector<std::string> Sequence = {
    "vdsl status bandinfo", "vdsl status",        "vdsl status more", "vdsl status olr", "vdsl status counts",
    "vdsl annex",           "vdsl inventory co",  "vdsl inventory cpe", "vdsl status hlog", "vdsl status qln",
    "vdsl status snr",      "vdsl showbins",      "vdsl showbins up"};

const std::vector<std::string> LogonSteps = {"account", "password", "welcome"};

// Short waits keep the silent cases quick; a run that has not ended long
// after every wait has passed hangs.
const char *const Waits = "--answer-timeout 600 --bins-timeout 1200";
constexpr int HangDeadlineMs = 90000;
// The whole run's peak. A run holds at most one capped answer of 16 MiB (in a
// buffer of 32) and what it copies of it: some 40 MB without sanitizers.
// Under the address sanitizer the shadow and the quarantine of freed blocks
// come on top; the quarantine is held small for these runs (see SetUp), so
// that the bound measures the program. The caps themselves are proven one by
// one elsewhere; this catches a run whose memory grows with the router's
// stream as a whole.
constexpr long MemoryBoundKb = 400 * 1024;

enum class TExpect {
  Complete,       // as if nothing had happened
  NoConnect,      // "Unable to connect"
  NoLogin,        // "Unable to login"
  LeftOutOnwards, // this command and every later one have no answer
  ParseFailure,   // the answer's number fits no integer: the run ends there
  AnyEnd,         // how it ends depends on timing; only that it ends well
};

bool IsLogon(const std::string &AStep) {
  return std::find(LogonSteps.begin(), LogonSteps.end(), AStep) != LogonSteps.end();
}

bool IsTable(const std::string &AStep) {
  return AStep.starts_with("vdsl status hlog") || AStep == "vdsl status qln" || AStep == "vdsl status snr" ||
         AStep.starts_with("vdsl showbins");
}

// The rules, per act: negotiation and packet sizes are Telnet's business and
// change nothing; an act that ends the text before its prompt fails that step;
// an act inside a text that still ends with its prompt leaves the step as it is.
TExpect Expected(TFaultKind AKind, const std::string &AStep) {
  switch (AKind) {
  case TFaultKind::Trickle:
  case TFaultKind::NegotiationFlood: return TExpect::Complete;
  case TFaultKind::Silence:
  case TFaultKind::Close:
  case TFaultKind::Reset:
  case TFaultKind::EndlessSubNegotiation:
  case TFaultKind::EndlessAnswer:
    if (IsLogon(AStep))
      return AStep == "account" ? TExpect::NoConnect : TExpect::NoLogin;
    return TExpect::LeftOutOnwards;
  default: break;
  }
  // The rest go into the middle of the text. The account and password texts
  // are their prompts, so the prompt breaks; the welcome text and every
  // answer keep theirs at the end.
  if (AStep == "account")
    return TExpect::NoConnect;
  if (AStep == "password")
    return TExpect::NoLogin;
  if (AKind == TFaultKind::PromptInData)
    return TExpect::AnyEnd; // the early prompt ends the wait; where the rest lands is timing
  if (AKind == TFaultKind::HugeInteger && IsTable(AStep))
    return TExpect::ParseFailure;
  return TExpect::Complete;
}

std::vector<std::string> Unanswered(const std::string &AErr) {
  static const std::regex NoAnswer("no answer to \"([^\"]+)\"");
  std::vector<std::string> Commands;
  for (auto It = std::sregex_iterator(AErr.begin(), AErr.end(), NoAnswer); It != std::sregex_iterator(); ++It)
    Commands.push_back((*It)[1]);
  return Commands;
}

struct THostileCase {
  TFaultKind Kind;
  std::string Step;
};

void PrintTo(const THostileCase &ACase, std::ostream *AOut) {
  *AOut << FaultKindName(ACase.Kind) << "@" << ACase.Step;
}

std::vector<THostileCase> AllCases() {
  std::vector<THostileCase> Cases;
  for (const TFaultKind Kind : FaultKinds()) {
    for (const std::string &Step : LogonSteps)
      Cases.push_back({Kind, Step});
    for (const std::string &Step : Sequence)
      Cases.push_back({Kind, Step});
  }
  return Cases;
}

class HostileRouter : public testing::TestWithParam<THostileCase> {
protected:
  // The runs of tonegraph-cli inherit it; without a sanitizer it is ignored.
  static void SetUpTestSuite() {
    const char *Given = std::getenv("ASAN_OPTIONS");
    const std::string Options = std::string(Given ? Given : "") + (Given && *Given ? ":" : "") + "quarantine_size_mb=16";
    setenv("ASAN_OPTIONS", Options.c_str(), 1);
  }
};

TEST_P(HostileRouter, EndsAsTheRulesSayAndLeavesOnlyWhatLoads) {
  const THostileCase &Case = GetParam();
  TRouterSimOptions Options;
  Options.Fault = {Case.Kind, Case.Step};
  TRouterSim Router(Options);
  const std::uint16_t Port = Router.Start();
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  const std::string Output = Folder.Path("line.draydata");
  const TCliRun Run = RunCliWatched("retrieve --host 127.0.0.1 --port " + std::to_string(Port) +
                                        " --user admin --password-stdin --bins " + Waits + " -o " + Quoted(Output),
                                    Folder.Path("password"), HangDeadlineMs);
  ASSERT_NE(Run.Status, -1) << "did not end: " << Run.Err;
  EXPECT_LT(Run.MaxRssKb, MemoryBoundKb);
  const bool Written = std::filesystem::exists(Output);
  TDrayData Data;
  if (Written) {
    EXPECT_NO_THROW(Data.LoadFromFile(Output)) << "what was saved must load";
  }

  const std::vector<std::string> Left = Unanswered(Run.Err);
  switch (Expected(Case.Kind, Case.Step)) {
  case TExpect::Complete:
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    EXPECT_EQ(Run.Err.find("warning"), std::string::npos) << Run.Err;
    EXPECT_EQ(Data.VDSLProfile(), vp17a);
    break;
  case TExpect::NoConnect:
  case TExpect::NoLogin: {
    const bool Connect = Expected(Case.Kind, Case.Step) == TExpect::NoConnect;
    EXPECT_EQ(Run.Status, 1);
    // A reset that overtakes the connection's set-up is the connection's own
    // failure, said as the system says it: "127.0.0.1:port: Connection reset by peer".
    const bool ResetWhileConnecting =
        Connect && Case.Kind == TFaultKind::Reset && Run.Err.find("Connection reset by peer") != std::string::npos;
    EXPECT_TRUE(ResetWhileConnecting ||
                Run.Err.find(Connect ? "Unable to connect" : "Unable to login") != std::string::npos)
        << Run.Err;
    EXPECT_FALSE(Written);
    break;
  }
  case TExpect::LeftOutOnwards: {
    const auto From = std::find(Sequence.begin(), Sequence.end(), Case.Step);
    EXPECT_EQ(Left, std::vector<std::string>(From, Sequence.end())) << Run.Err;
    const bool Nothing = From == Sequence.begin();
    EXPECT_EQ(Run.Status, Nothing ? 1 : 0) << Run.Err;
    EXPECT_EQ(Written, !Nothing);
    if (Nothing) {
      EXPECT_NE(Run.Err.find("No data retrieved: the router answered none of the commands"), std::string::npos);
    }
    break;
  }
  case TExpect::ParseFailure:
    EXPECT_EQ(Run.Status, 0) << Run.Err;
    EXPECT_NE(Run.Err.find("warning: '99999999999' is not a valid integer value"), std::string::npos) << Run.Err;
    EXPECT_TRUE(Written);
    break;
  case TExpect::AnyEnd:
    EXPECT_TRUE(Run.Status == 0 || Run.Status == 1) << Run.Err;
    EXPECT_EQ(Written, Run.Status == 0);
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryActAtEveryStep, HostileRouter, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<THostileCase> &AInfo) {
                           std::string Name = std::string(FaultKindName(AInfo.param.Kind)) + "_" + AInfo.param.Step;
                           for (char &C : Name)
                             if (!std::isalnum(static_cast<unsigned char>(C)))
                               C = '_';
                           return Name;
                         });

} // namespace
