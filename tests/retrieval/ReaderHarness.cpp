#include "ReaderHarness.h"

TReaderOutcome RunReader(const TReaderSetup &ASetup, TDrayData &AData) {
  TRecordingView View;
  TRetrievalRun Run(ASetup, AData, &View);
  if (ASetup.OnCall)
    View.OnCall = [&](const std::string &ACall) { ASetup.OnCall(ACall, Run); };
  if (ASetup.TerminateAtOnce)
    Run.Stop();
  TReaderOutcome Outcome;
  static_cast<TRetrievalOutcome &>(Outcome) = Run.Run();
  Outcome.Calls = View.Calls;
  Outcome.Calls.push_back("terminate");
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
