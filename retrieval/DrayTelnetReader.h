#pragma once
// The worker thread of one retrieval: connects through the Telnet client it
// was lent, logs on through the router's prompts, runs the command sequence
// that fills the snapshot, and disconnects. The front end learns how the run
// ended from Outcome() when OnTerminate runs.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Event.h"
#include "RetrievalExceptions.h"
#include "RetrievalOutcome.h"
#include "RetrievalTimeouts.h"
#include "RetrievalView.h"
#include "RouterReplies.h"
#include "TelnetClient.h"
#include "TextLines.h"
#include "Thread.h"

class TDrayData;
struct TSequenceStep;

enum TTelnetreadOp { troNone = 0, troRetrieveData = 1 };

class TDrayTelnetReader : public TThread {
public:
  // Created suspended; the caller sets FreeOnTerminate and OnTerminate, then
  // calls Start. AView may be null when nobody watches the progress.
  TDrayTelnetReader(TTelnetClient &ATelnet, std::string ATelnetUser, std::string ATelnetPassword,
                    std::string ARouterName, TDrayData *AData, bool ARetrieveBins,
                    IRetrievalView *AView, IMainThreadQueue &AQueue,
                    TRetrievalTimeouts ATimeouts = {});
  ~TDrayTelnetReader() override;

  // Worked out once, on the reader thread, as the run's last step; valid
  // from OnTerminate on. A run that never got that far reads as Failed.
  const TRetrievalOutcome &Outcome() const { return FOutcome; }
  // For a front end that cannot wait for the answer under way (a service
  // being stopped): every wait for the router, the current one included,
  // ends at once, as if it had run out. A stop request alone lets the command
  // already sent be answered; the window never abandons.
  void AbandonWait() { FWaitAbandoned.store(true); }
  // What runs after the logon; troNone stops there. Set before Start.
  void SetTelnetOp(TTelnetreadOp AOp) { FTelnetOp = AOp; }

protected:
  void Execute() override;

private:
  void LogonAndRetrieve();
  bool TelnetLogon();
  bool WaitForRouter(std::uint16_t ATimeout);
  void SendLogonLine(TTelnetStatus AStatus, const std::string &AText);
  bool SendCommand(const std::string &ACommand, std::uint16_t ATimeout, std::string &AAnswer);
  void TelnetDataAvailable(TTelnetClient &ASender, const std::string &ABuffer);
  void SetTelnetError(const std::string &AReason);
  void ClearTelnetError();
  void ThrowIfRefused();
  void ReleaseConnection();
  TRetrievalOutcome Conclude() const;

  // The command sequence, in RetrieveRouterData.cpp.
  void RetrieveRouterData(TDrayData &AData);
  void RetrieveSteps(TDrayData &AData);
  void RunStep(TDrayData &AData, const TSequenceStep &AStep);
  void StoreAnswer(TDrayData &AData, const TSequenceStep &AStep, TTextLines &ALines);
  void PostAfter(TDrayData &AData, const TSequenceStep &AStep);
  bool CommandLines(const char *ACommand, std::uint16_t ATimeout, int ATrimStart, int ATrimEnd,
                    TTextLines &ALines);
  void PostStatusText(const std::string &AText);
  void PostProgress(const char *ACommand);

  TDrayData *FDrayData;
  bool FRetrieveBins;
  std::string FRouterName;
  TTelnetClient &FTelnet;
  std::unique_ptr<TEvent> FTelnetEvent;
  // Written by the Telnet client's receiving thread and read by this one;
  // FAnswerLock guards them.
  mutable std::mutex FAnswerLock;
  TRouterReplies FReplies;
  // A failure that is no reader error: the snapshot is kept as far as it got.
  std::string FFailureReason;
  std::vector<std::string> FUnanswered; // reader thread only
  int FAnswered = 0;                     // reader thread only
  int FStep = 0;                         // commands sent so far; reader thread only
  TRetrievalOutcome FOutcome{TRetrievalEnd::Failed, {}, false, {}, 0};
  TTelnetreadOp FTelnetOp = troRetrieveData;
  std::string FTelnetPassword;
  std::atomic<TTelnetStatus> FTelnetStatus{tsUser};
  std::atomic<bool> FWaitAbandoned{false};
  std::string FTelnetUser;
  IRetrievalView *FView;
  TRetrievalTimeouts FTimeouts;
};
