// The reader's view of what the router said, fed as the Telnet client would
// feed it, without a socket.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RouterReplies.h"

namespace {

struct TRepliesCase {
  const char *Name;
  TTelnetStatus Status;
  std::vector<std::string> Deliveries;
  bool Ends;          // after the last delivery
  bool Error;
  const char *Reason;
  bool Refused;
};

void PrintTo(const TRepliesCase &ACase, std::ostream *AOut) { *AOut << ACase.Name; }

class RouterReplies : public testing::TestWithParam<TRepliesCase> {};

TEST_P(RouterReplies, EndsTheStepAsTheDialogueSays) {
  const TRepliesCase &Case = GetParam();
  TRouterReplies Replies("Vigor> ");
  bool Ends = false;
  for (const std::string &Bytes : Case.Deliveries)
    Ends = Replies.Take(Bytes, Case.Status);
  EXPECT_EQ(Ends, Case.Ends);
  EXPECT_EQ(Replies.Error(), Case.Error);
  EXPECT_EQ(Replies.ErrorReason(), Case.Reason);
  EXPECT_EQ(Replies.Refused(), Case.Refused);
}

const char *const Refusal = "Only a single connection is allowed";

INSTANTIATE_TEST_SUITE_P(
    Steps, RouterReplies,
    testing::Values(
        TRepliesCase{"AccountPrompt", tsUser, {"\r\nAcc", "ount:"}, true, false, "", false},
        TRepliesCase{"AccountPromptNotAtTheEnd", tsUser, {"Account: x"}, false, false, "", false},
        TRepliesCase{"PasswordPromptInAnyCase", tsPassword, {"PASSWORD: "}, true, false, "", false},
        TRepliesCase{"RefusalWhileTheAccountIsAwaited", tsUser, {"Reject the connection ", "request !!!\r\n"},
                     true, true, Refusal, true},
        TRepliesCase{"RefusalAfterThePassword", tsBanner, {"Reject the connection request !!!\r\n"}, true,
                     true, Refusal, true},
        TRepliesCase{"RefusalTextInAnAnswerIsData", tsPrompt, {"Reject the connection request !!!\r\n"},
                     false, false, "", false},
        TRepliesCase{"PasswordAskedAgain", tsBanner, {"\r\nPassword: "}, true, true, "Invalid login", false},
        TRepliesCase{"RouterPromptAfterThePassword", tsBanner, {"\r\nType ? for command help\r\n\r\nvigor> "},
                     true, false, "", false},
        TRepliesCase{"AnswerEndsAtThePrompt", tsPrompt, {"  line\r\n", "Vigor> "}, true, false, "", false}),
    [](const testing::TestParamInfo<TRepliesCase> &AInfo) { return std::string(AInfo.param.Name); });

TEST(RouterRepliesLimits, AnAnswerPastTheLimitIsGivenUpAndTheWaitEnds) {
  TRouterReplies Replies("Vigor> ", 64);
  EXPECT_FALSE(Replies.Take(std::string(60, 'x'), tsPrompt));
  EXPECT_TRUE(Replies.Take(std::string(10, 'x'), tsPrompt));
  EXPECT_TRUE(Replies.Overflowed());
  EXPECT_TRUE(Replies.Answer().empty());
  Replies.StartAnswer();
  EXPECT_FALSE(Replies.Overflowed());
  EXPECT_TRUE(Replies.Take("ok\r\nVigor> ", tsPrompt));
  EXPECT_EQ(Replies.Answer(), "ok\r\nVigor> ");
}

// During the logon an endless text keeps only its tail, so a prompt that
// comes after it (even split across the cut) still ends the step.
TEST(RouterRepliesLimits, AnOverlongLogonTextKeepsItsTail) {
  TRouterReplies Replies("Vigor> ", 4096);
  EXPECT_FALSE(Replies.Take(std::string(4090, 'x') + "Accou", tsUser));
  EXPECT_LE(Replies.Answer().size(), 4096u);
  EXPECT_TRUE(Replies.Take("nt:", tsUser));
  EXPECT_TRUE(Replies.Answer().empty());
}

} // namespace
