#include "DrayTelnetReader.h"

#include "CodePage.h"
#include "TextCase.h"

namespace {
const char *const AccountPrompt = "Account:";
const char *const PasswordPrompt = "Password: ";
const char *const RejectText = "Reject the connection request !!!\r\n";
const char *const ErrorMarker = "% Valid subcommands are:";
const char *const MissingMarker = "% Command missing";
// What stays of an overlong logon text, so that a prompt arriving split
// across the cut is still recognised.
constexpr std::size_t LogonTail = 1024;
} // namespace

TDrayTelnetReader::TDrayTelnetReader(TTelnetClient &ATelnet, std::string ATelnetUser,
                                     std::string ATelnetPassword, std::string ARouterName,
                                     TDrayData *AData, bool ARetrieveBins, IRetrievalView *AView,
                                     IMainThreadQueue &AQueue, TRetrievalTimeouts ATimeouts)
    : TThread(AQueue), FDrayData(AData), FRetrieveBins(ARetrieveBins),
      FRouterName(std::move(ARouterName)), FTelnet(ATelnet),
      FTelnetPassword(std::move(ATelnetPassword)), FTelnetUser(std::move(ATelnetUser)),
      FView(AView), FTimeouts(ATimeouts), FPromptMarker(Utf8ToAnsi(FRouterName + "> ")) {}

TDrayTelnetReader::~TDrayTelnetReader() { JoinUnlessSelf(); }

bool TDrayTelnetReader::TelnetError() const {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  return FTelnetError;
}

std::string TDrayTelnetReader::ErrorReason() const {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  return FTelnetErrorReason;
}

void TDrayTelnetReader::Execute() {
  FTelnet.OnDataAvailable = [this](TTelnetClient &ASender, const std::string &ABuffer) {
    TelnetDataAvailable(ASender, ABuffer);
  };
  FTelnetEvent = std::make_unique<TEvent>("TonegraphEvent");
  ClearTelnetError();
  try {
    // A failed connect is not a reader error: it ends the thread unhandled.
    FTelnet.Connect();
    LogonAndRetrieve();
  } catch (...) {
    ReleaseConnection();
    throw;
  }
  ReleaseConnection();
}

void TDrayTelnetReader::LogonAndRetrieve() {
  try {
    if (!TelnetLogon()) {
      std::lock_guard<std::mutex> Guard(FAnswerLock);
      FTelnetError = true;
      if (FTelnetErrorReason.empty())
        FTelnetErrorReason = "Unable to login";
    } else if (FTelnetOp == troRetrieveData) {
      RetrieveRouterData(*FDrayData);
    }
  } catch (const EDrayTelnetReader &E) {
    SetTelnetError(E.what());
  } catch (const std::exception &E) {
    // Not flagged as a reader error (unless the router had refused us):
    // the snapshot as far as it got is kept.
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    FTelnetErrorReason = E.what();
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
  FTelnetError = true;
  FTelnetErrorReason = AReason;
}

// Before the connect, not at the start of the logon: a refusal that a quick
// router sends at once may already have been seen by then, and clearing it
// afterwards would turn "Only a single connection is allowed" into a
// pointless logon attempt.
void TDrayTelnetReader::ClearTelnetError() {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  FTelnetError = false;
  FTelnetErrorReason.clear();
}

bool TDrayTelnetReader::TelnetLogon() {
  FTelnetStatus.store(tsUser);
  // The event is not reset: an account prompt (or the refusal) that arrived
  // since the connect has already set it.
  PostStatusText("Connecting to the router, please wait...");
  if (!WaitForRouter(FTimeouts.Short))
    throw EDrayTelnetReader("Unable to connect");
  if (TelnetError())
    throw ETonegraphError(ErrorReason());
  PostStatusText("Connected to router, logging in...");
  if (Terminated())
    return false;
  SendLogonLine(tsPassword, FTelnetUser);
  if (!WaitForRouter(FTimeouts.Long))
    throw EDrayTelnetReader("Unable to login");
  SendLogonLine(tsBanner, FTelnetPassword);
  if (!WaitForRouter(FTimeouts.Short))
    throw EDrayTelnetReader("Unable to login");
  if (TelnetError())
    return false;
  FTelnetStatus.store(tsPrompt);
  return true;
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
    FTelnetAnswer.clear();
    FAnswerOverflow = false;
  }
  FTelnetEvent->ResetEvent();
  FTelnet.SendString(ACommand);
  if (!WaitForRouter(ATimeout))
    return false;
  std::string Bytes;
  {
    std::lock_guard<std::mutex> Guard(FAnswerLock);
    if (FAnswerOverflow)
      return false;
    Bytes = FTelnetAnswer;
  }
  AAnswer = AnsiToUtf8(Bytes);
  return !(AnsiContainsText(Bytes, ErrorMarker) && !AnsiContainsText(Bytes, MissingMarker));
}

void TDrayTelnetReader::TelnetDataAvailable(TTelnetClient &, const std::string &ABuffer) {
  std::lock_guard<std::mutex> Guard(FAnswerLock);
  FTelnetAnswer += ABuffer;
  if (FTelnetAnswer.size() > MaxAnswerSize)
    DropOverlongAnswer();
  else
    CheckAnswer();
}

// A router that never shows its prompt must not eat the memory: the command
// it is answering fails as a timeout would, and the text is dropped.
void TDrayTelnetReader::DropOverlongAnswer() {
  if (FTelnetStatus.load() == tsPrompt) {
    FTelnetAnswer.clear();
    FAnswerOverflow = true;
    FTelnetEvent->SetEvent();
  } else {
    FTelnetAnswer.erase(0, FTelnetAnswer.size() - LogonTail);
    CheckAnswer();
  }
}

void TDrayTelnetReader::CheckAnswer() {
  switch (FTelnetStatus.load()) {
  case tsUser:
    if (AnsiEndsWithText(FTelnetAnswer, AccountPrompt)) {
      FTelnetAnswer.clear();
      FTelnetEvent->SetEvent();
    } else if (AnsiEndsWithText(FTelnetAnswer, RejectText)) {
      FTelnetAnswer.clear();
      FTelnetError = true;
      FTelnetErrorReason = "Only a single connection is allowed";
      FTelnetEvent->SetEvent();
    }
    break;
  case tsPassword:
    if (AnsiEndsWithText(FTelnetAnswer, PasswordPrompt)) {
      FTelnetAnswer.clear();
      FTelnetEvent->SetEvent();
    }
    break;
  case tsBanner:
    if (AnsiEndsWithText(FTelnetAnswer, FPromptMarker)) {
      FTelnetAnswer.clear();
      FTelnetError = false;
      FTelnetEvent->SetEvent();
    } else if (AnsiEndsWithText(FTelnetAnswer, PasswordPrompt)) {
      FTelnetError = true;
      FTelnetErrorReason = "Invalid login";
      FTelnetEvent->SetEvent();
    }
    break;
  case tsPrompt:
    if (AnsiEndsWithText(FTelnetAnswer, FPromptMarker))
      FTelnetEvent->SetEvent();
    break;
  }
}
