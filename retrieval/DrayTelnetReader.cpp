#include "DrayTelnetReader.h"

#include <algorithm>
#include <chrono>

#include "CodePage.h"
#include "TextCase.h"

namespace {
const char *const ErrorMarker = "% Valid subcommands are:";
const char *const MissingMarker = "% Command missing";
// How often a wait looks whether the router has hung up.
constexpr long long ClosedCheckMs = 100;
} // namespace

TDrayTelnetReader::TDrayTelnetReader(TTelnetClient &ATelnet, std::string ATelnetUser,
                                     std::string ATelnetPassword, std::string ARouterName,
                                     TDrayData *AData, bool ARetrieveBins, IRetrievalView *AView,
                                     IMainThreadQueue &AQueue, TRetrievalTimeouts ATimeouts)
    : TThread(AQueue), FDrayData(AData), FRetrieveBins(ARetrieveBins),
      FRouterName(std::move(ARouterName)), FTelnet(ATelnet), FReplies(Utf8ToAnsi(FRouterName + "> ")),
      FTelnetPassword(std::move(ATelnetPassword)), FTelnetUser(std::move(ATelnetUser)),
      FView(AView), FTimeouts(ATimeouts) {}

TDrayTelnetReader::~TDrayTelnetReader() { JoinUnlessSelf(); }

void TDrayTelnetReader::Execute() {
  FTelnet.OnDataAvailable = [this](TTelnetClient &ASender, const std::string &ABuffer) {
    TelnetDataAvailable(ASender, ABuffer);
  };
  FTelnetEvent = std::make_unique<TEvent>("TonegraphEvent");
  FTelnet.SetWriteTimeoutMs(FTimeouts.Short);

  ClearTelnetError();
  try {
    // A failed connect is not a reader error: it ends the thread unhandled,
    // and the outcome keeps its message.
    FTelnet.Connect();
    LogonAndRetrieve();
  } catch (const std::exception &E) {
    ReleaseConnection();
    FOutcome.Reason = E.what();
    throw;
  } catch (...) {
    ReleaseConnection();
    FOutcome.Reason = "Unknown failure in the reader thread";
    throw;
  }
  ReleaseConnection();
  FOutcome = Conclude();
}

// After ReleaseConnection the receiving thread has ended, so nothing read
// here can change any more.
TRetrievalOutcome TDrayTelnetReader::Conclude() const {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  TRetrievalOutcome Outcome;
  Outcome.Stopped = Terminated();
  Outcome.Unanswered = FUnanswered;
  Outcome.Answered = FAnswered;
  if (FReplies.Refused()) {
    Outcome.End = TRetrievalEnd::Refused;
    Outcome.Reason = TRouterReplies::RefusalReason();
  } else if (FReplies.Error()) {
    Outcome.End = TRetrievalEnd::Refused;
    Outcome.Reason = FReplies.ErrorReason();
  } else if (!FFailureReason.empty() || Outcome.Stopped || !Outcome.Unanswered.empty()) {
    Outcome.End = TRetrievalEnd::Partial;
    Outcome.Reason = FFailureReason;
  }
  return Outcome;
}

void TDrayTelnetReader::LogonAndRetrieve() {
  try {
    if (!TelnetLogon()) {
      std::lock_guard<std::mutex> Guard(FAnswerLock);
      FReplies.SetErrorUnlessGiven("Unable to login");
    } else if (FTelnetOp == troRetrieveData) {
      RetrieveRouterData(*FDrayData);
    }
  } catch (const EDrayTelnetReader &E) {
    SetTelnetError(E.what());
  } catch (const std::exception &E) {
    // Not a reader error: the snapshot as far as it got is kept.
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    FFailureReason = E.what();
  }
}

// Disconnect also when the router closed first: it joins the receiving
// thread, so no delivery can still be running when the event goes.
void TDrayTelnetReader::ReleaseConnection() {
  FTelnet.Disconnect();
  FTelnet.OnDataAvailable = nullptr;
  FTelnetEvent.reset();
}

void TDrayTelnetReader::SetTelnetError(const std::string &AReason) {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  FReplies.SetError(AReason);
}

// Before the connect, not at the start of the logon: a refusal that a quick
// router sends at once may already have been seen by then, and clearing it
// afterwards would turn "Only a single connection is allowed" into a
// pointless logon attempt.
void TDrayTelnetReader::ClearTelnetError() {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  FReplies.ClearError();
}

// A refusal may come at any moment of the logon; once it has, waiting for the
// next prompt of a router that is hanging up only costs the user a timeout.
void TDrayTelnetReader::ThrowIfRefused() {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  if (FReplies.Refused())
    throw EDrayTelnetReader(TRouterReplies::RefusalReason());
}

bool TDrayTelnetReader::TelnetLogon() {
  FTelnetStatus.store(tsUser);
  // The event is not reset: an account prompt (or the refusal) that arrived
  // since the connect has already set it.
  PostStatusText("Connecting to the router, please wait...");
  const bool Prompted = WaitForRouter(FTimeouts.Short);
  ThrowIfRefused();
  if (!Prompted)
    throw EDrayTelnetReader("Unable to connect");
  PostStatusText("Connected to router, logging in...");
  if (Terminated())
    return false;
  SendLogonLine(tsPassword, FTelnetUser);
  if (!WaitForRouter(FTimeouts.Long)) {
    ThrowIfRefused();
    throw EDrayTelnetReader("Unable to login");
  }
  ThrowIfRefused();
  SendLogonLine(tsBanner, FTelnetPassword);
  if (!WaitForRouter(FTimeouts.Short)) {
    ThrowIfRefused();
    throw EDrayTelnetReader("Unable to login");
  }
  ThrowIfRefused();
  {
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    if (FReplies.Error())
      return false;
  }
  FTelnetStatus.store(tsPrompt);
  return true;
}

// Waiting out the whole timeout for a router that has hung up would only
// keep the user waiting: once the connection is closed, whatever it sent has
// been handled, so the event's state then is final. The same holds once the
// wait is abandoned.
bool TDrayTelnetReader::WaitForRouter(std::uint16_t ATimeout) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ATimeout);
  for (;;) {
    const auto Left =
        std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now()).count();
    if (FTelnetEvent->WaitFor(static_cast<std::uint32_t>(std::clamp<long long>(Left, 0, ClosedCheckMs))))
      return true;
    if (Left <= ClosedCheckMs)
      return false;
    if (!FTelnet.Connected() || FWaitAbandoned.load())
      return FTelnetEvent->WaitFor(0);
  }
}

void TDrayTelnetReader::SendLogonLine(TTelnetStatus AStatus, const std::string &AText) {
  FTelnetStatus.store(AStatus);
  FTelnetEvent->ResetEvent();
  FTelnet.SendString(AText + "\r");
}

bool TDrayTelnetReader::SendCommand(const std::string &ACommand, std::uint16_t ATimeout,
                                    std::string &AAnswer) {
  AAnswer.clear();
  {
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    FReplies.StartAnswer();
  }
  FTelnetEvent->ResetEvent();
  FTelnet.SendString(ACommand);
  if (!WaitForRouter(ATimeout))
    return false;
  std::string Bytes;
  {
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    if (FReplies.Overflowed())
      return false;
    Bytes = FReplies.Answer();
  }
  AAnswer = AnsiToUtf8(Bytes);
  return !(AnsiContainsText(Bytes, ErrorMarker) && !AnsiContainsText(Bytes, MissingMarker));
}

void TDrayTelnetReader::TelnetDataAvailable(TTelnetClient &, const std::string &ABuffer) {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  if (FReplies.Take(ABuffer, FTelnetStatus.load()))
    FTelnetEvent->SetEvent();
}
