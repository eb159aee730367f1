#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrayData.h"
#include "ReaderHarness.h"
#include "ScriptedPeer.h"

namespace {

// Plays a router's side of a logon: each step is bytes to send, "pause", or,
// when it starts with "<", bytes to wait for from the client. False when the
// client never sent what a step waited for.
bool PlaySteps(TScriptedPeer &APeer, const std::vector<std::string> &ASteps, int APauseMs) {
  for (const std::string &Step : ASteps) {
    if (Step.rfind("<", 0) == 0) {
      if (!APeer.ReadUntil(Step.substr(1)))
        return false;
    } else if (Step == "pause") {
      APeer.Pause(APauseMs);
    } else {
      APeer.Send(Step);
    }
  }
  return true;
}

// One logon as a router might play it (steps as PlaySteps takes them).
struct TLogonCase {
  const char *Name;
  std::vector<std::string> Steps;
  std::string RouterName;
  TRetrievalEnd End;
  std::string Reason;
  std::string ClientSent;
};

class ReaderLogon : public ::testing::TestWithParam<TLogonCase> {};

TEST_P(ReaderLogon, EndsWithTheTabledOutcome) {
  const TLogonCase &Case = GetParam();
  TScriptedPeer Peer([&Case](TScriptedPeer &APeer) {
    if (PlaySteps(APeer, Case.Steps, 40))
      APeer.ReadUntil("never sent", 3000); // stay open until the reader gives up
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  Setup.Password = "";
  Setup.RouterName = Case.RouterName;
  Setup.Op = troNone;
  Setup.Timeouts = {1000, 1000};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, Case.End);
  EXPECT_EQ(Outcome.Reason, Case.Reason);
  EXPECT_EQ(Peer.Received(), Case.ClientSent);
}

const std::string Iac = "\xFF\xFD\x18"; // IAC DO TERMINAL-TYPE
const std::string IacReply = "\xFF\xFB\x18";

const TLogonCase Cases[] = {
    {"LoggedOn", {"Account:", "<admin\r\n", "Password: ", "<\r\n", "\r\nDrayTek> "},
     "DrayTek", TRetrievalEnd::Complete, "", "admin\r\n\r\n"},
    {"AccountPromptSplitOverTwoDeliveries",
     {"Acc", "pause", "ount:", "<admin\r\n", "Password: ", "<\r\n", "\r\nDrayTek> "},
     "DrayTek", TRetrievalEnd::Complete, "", "admin\r\n\r\n"},
    {"LowerCasePromptsAccepted",
     {"account:", "<admin\r\n", "password: ", "<\r\n", "\r\ndraytek> "}, "DrayTek", TRetrievalEnd::Complete, "",
     "admin\r\n\r\n"},
    {"TelnetPeerGetsLoneCarriageReturns",
     {Iac, "<" + IacReply, "Account:", "<admin\r", "Password: ", "<\r", "\r\nVigor> "}, "Vigor",
     TRetrievalEnd::Complete, "", IacReply + "admin\r\r"},
    {"AccountPromptWithTrailingBlankNotRecognised", {"Account: "}, "DrayTek", TRetrievalEnd::Refused,
     "Unable to connect", ""},
    {"SecondConnectionRejected", {"Reject the connection request !!!\r\n"}, "DrayTek", TRetrievalEnd::Refused,
     "Only a single connection is allowed", ""},
    {"NoPasswordPrompt", {"Account:", "<admin\r\n"}, "DrayTek", TRetrievalEnd::Refused, "Unable to login",
     "admin\r\n"},
    {"WrongRouterName", {"Account:", "<admin\r\n", "Password: ", "<\r\n", "\r\nVigor> "},
     "DrayTek", TRetrievalEnd::Refused, "Unable to login", "admin\r\n\r\n"},
    {"PasswordAskedAgain", {"Account:", "<admin\r\n", "Password: ", "<\r\n", "\r\nPassword: "},
     "DrayTek", TRetrievalEnd::Refused, "Invalid login", "admin\r\n\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Routers, ReaderLogon, ::testing::ValuesIn(Cases),
                         [](const auto &AInfo) { return std::string(AInfo.param.Name); });

// The router's refusal, arriving at each moment of the logon, is what the
// run reports, whichever step the reader has reached when it is read. The
// router hangs up after it, as a real one does.
struct TRefusalMoment {
  const char *Name;
  std::vector<std::string> Steps;
};

class RefusalAtEachMoment : public ::testing::TestWithParam<TRefusalMoment> {};

const std::string Refusal = "Reject the connection request !!!\r\n";

TEST_P(RefusalAtEachMoment, EndsAsRefusedWithTheRoutersReason) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    PlaySteps(APeer, GetParam().Steps, 100);
    APeer.Close();
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  Setup.Timeouts = {5000, 5000};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, "Only a single connection is allowed");
  EXPECT_TRUE(Data.Stats().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Logon, RefusalAtEachMoment,
    ::testing::Values(TRefusalMoment{"AtOnce", {Refusal}},
                      TRefusalMoment{"WhileTheAccountPromptIsAwaited", {"pause", Refusal}},
                      TRefusalMoment{"SplitOverTwoDeliveries", {"Reject the conn", "pause", "ection request !!!\r\n"}},
                      TRefusalMoment{"RightAfterTheAccountPrompt", {"Account:", Refusal}},
                      TRefusalMoment{"AfterTheUserName", {"Account:", "<admin\r\n", Refusal}},
                      TRefusalMoment{"AfterThePassword",
                                     {"Account:", "<admin\r\n", "Password: ", "<admin\r\n", Refusal}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

TEST(ReaderLogon, StopRequestBeforeTheUserNameFailsTheLogon) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.Send("Account:");
    APeer.ReadUntil("never sent", 1000);
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  Setup.TerminateAtOnce = true;
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, "Unable to login");
  EXPECT_EQ(Peer.Received(), "") << "no user name may be sent after a stop";
  const std::vector<std::string> Expected = {"status:Connecting to the router, please wait...",
                                             "status:Connected to router, logging in...",
                                             "terminate"};
  EXPECT_EQ(Outcome.Calls, Expected);
}

TEST(ReaderLogon, ConnectFailureIsTheFatalFailureNotAReaderError) {
  TDrayData Data;
  TReaderSetup Setup;
  {
    TScriptedPeer Closed([](TScriptedPeer &) {});
    Setup.Port = Closed.Port();
  } // nobody listens there any more
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Failed);
  EXPECT_EQ(Outcome.Reason, "Connection refused");
  EXPECT_EQ(Outcome.Calls, std::vector<std::string>{"terminate"});
}

// A router that never shows a prompt: the logon must neither hang nor grow
// without bound; it fails as a silent router does.
TEST(ReaderLogon, EndlessBannerWithoutPromptFailsTheLogon) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    const std::string Block(1 << 16, 'x');
    for (int I = 0; I < 400; ++I)
      APeer.Send(Block);
  });
  TDrayData Data;
  TReaderSetup Setup;
  Setup.Port = Peer.Port();
  Setup.Timeouts = {300, 300};
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, "Unable to connect");
}

} // namespace
