#include "RouterReplies.h"

#include <algorithm>

#include "TextCase.h"

namespace {
const char *const AccountPrompt = "Account:";
const char *const PasswordPrompt = "Password: ";
const char *const RejectText = "Reject the connection request !!!\r\n";
const char *const RejectReason = "Only a single connection is allowed";
} // namespace

TRouterReplies::TRouterReplies(std::string APromptMarker, std::size_t AMaxAnswerSize)
    : FPromptMarker(std::move(APromptMarker)), FMaxAnswerSize(AMaxAnswerSize) {}

const char *TRouterReplies::RefusalReason() { return RejectReason; }

bool TRouterReplies::Take(std::string_view ABytes, TTelnetStatus AStatus) {
  FAnswer += ABytes;
  return FAnswer.size() > FMaxAnswerSize ? DropOverlong(AStatus) : Check(AStatus);
}

void TRouterReplies::StartAnswer() {
  FAnswer.clear();
  FOverflow = false;
}

void TRouterReplies::SetError(const std::string &AReason) {
  FError = true;
  FErrorReason = AReason;
}

void TRouterReplies::SetErrorUnlessGiven(const std::string &AReason) {
  FError = true;
  if (FErrorReason.empty())
    FErrorReason = AReason;
}

void TRouterReplies::ClearError() {
  FError = false;
  FErrorReason.clear();
  FRefused = false;
}

// A router that never shows its prompt must not eat the memory: the command
// it is answering fails as a timeout would, and the text is dropped.
bool TRouterReplies::DropOverlong(TTelnetStatus AStatus) {
  if (AStatus == tsPrompt) {
    FAnswer.clear();
    FOverflow = true;
    return true;
  }
  FAnswer.erase(0, FAnswer.size() - std::min(LogonTail, FMaxAnswerSize));
  return Check(AStatus);
}

bool TRouterReplies::Check(TTelnetStatus AStatus) {
  // The refusal counts in every step of the logon: whether it is read before
  // or after the reader has moved on to the next prompt is a matter of timing.
  if (AStatus != tsPrompt && AnsiEndsWithText(FAnswer, RejectText)) {
    FAnswer.clear();
    SetError(RejectReason);
    FRefused = true;
    return true;
  }
  switch (AStatus) {
  case tsUser:
  case tsPassword:
    if (!AnsiEndsWithText(FAnswer, AStatus == tsUser ? AccountPrompt : PasswordPrompt))
      return false;
    FAnswer.clear();
    return true;
  case tsBanner:
    if (AnsiEndsWithText(FAnswer, FPromptMarker)) {
      FAnswer.clear();
      FError = false;
      return true;
    }
    if (AnsiEndsWithText(FAnswer, PasswordPrompt)) {
      SetError("Invalid login");
      return true;
    }
    return false;
  case tsPrompt:
    return AnsiEndsWithText(FAnswer, FPromptMarker);
  }
  return false;
}
