#include "ReaderHarness.h"

#include "ClosureQueue.h"
#include "TelnetClient.h"

TReaderOutcome RunReader(const TReaderSetup &ASetup, TDrayData &AData) {
  TTelnetClient Telnet;
  Telnet.SetHost("127.0.0.1");
  Telnet.SetPort(ASetup.Port);
  TClosureQueue Queue;
  TRecordingView View;
  TReaderOutcome Outcome;
  bool Done = false;
  auto *Reader = new TDrayTelnetReader(Telnet, ASetup.User, ASetup.Password, ASetup.RouterName,
                                       &AData, ASetup.Bins, &View, Queue, ASetup.Timeouts);
  Reader->SetTelnetOp(ASetup.Op);
  Reader->SetFreeOnTerminate(true);
  if (ASetup.OnCall)
    View.OnCall = [&](const std::string &ACall) { ASetup.OnCall(ACall, *Reader); };
  Reader->OnTerminate = [&](TThread *AThread) {
    auto *Ended = static_cast<TDrayTelnetReader *>(AThread);
    Outcome.TelnetError = Ended->TelnetError();
    Outcome.Reason = Ended->ErrorReason();
    Outcome.Fatal = Ended->FatalException() ? Ended->FatalMessage() : "";
    View.Calls.push_back("terminate");
    Done = true;
  };
  if (ASetup.TerminateAtOnce)
    Reader->Terminate();
  Reader->Start();
  Queue.RunUntil([&] { return Done; });
  Outcome.Calls = View.Calls;
  return Outcome;
}

std::vector<std::string> FullRetrievalCalls(const std::string &AProfile, bool ABins) {
  std::vector<std::string> Calls = {"status:Connecting to the router, please wait...",
                                    "status:Connected to router, logging in...",
                                    "status:Retrieving data...",
                                    "status:Retrieving statistics, please wait...",
                                    "profile:" + AProfile,
                                    "text",
                                    "status:Retrieving HLOG data, please wait...",
                                    "hlog",
                                    "status:Retrieving QLN data, please wait...",
                                    "qln",
                                    "status:Retrieving SNR data, please wait...",
                                    "snr"};
  if (ABins) {
    Calls.push_back("status:Retrieving bins downstream, please wait...");
    Calls.push_back("status:Retrieving bins upstream, please wait...");
  }
  for (const char *Call : {"bitloading", "binssnr", "gain", "status:", "terminate"})
    Calls.push_back(Call);
  return Calls;
}
