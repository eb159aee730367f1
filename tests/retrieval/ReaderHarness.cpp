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
  const std::string Steps = ABins ? "/13 " : "/11 ";
  auto Step = [&](int AStep, const char *ACommand) { return "progress:" + std::to_string(AStep) + Steps + ACommand; };
  std::vector<std::string> Calls = {"status:Connecting to the router, please wait...",
                                    "status:Connected to router, logging in...",
                                    "status:Retrieving data...",
                                    "status:Retrieving statistics, please wait...",
                                    Step(1, "vdsl status bandinfo"),
                                    Step(2, "vdsl status"),
                                    "profile:" + AProfile,
                                    Step(3, "vdsl status more"),
                                    Step(4, "vdsl status olr"),
                                    Step(5, "vdsl status counts"),
                                    Step(6, "vdsl annex"),
                                    Step(7, "vdsl inventory co"),
                                    Step(8, "vdsl inventory cpe"),
                                    "text",
                                    "status:Retrieving HLOG data, please wait...",
                                    Step(9, "vdsl status hlog"),
                                    "hlog",
                                    "status:Retrieving QLN data, please wait...",
                                    Step(10, "vdsl status qln"),
                                    "qln",
                                    "status:Retrieving SNR data, please wait...",
                                    Step(11, "vdsl status snr"),
                                    "snr"};
  if (ABins) {
    Calls.push_back("status:Retrieving bins downstream, please wait...");
    Calls.push_back(Step(12, "vdsl showbins"));
    Calls.push_back("status:Retrieving bins upstream, please wait...");
    Calls.push_back(Step(13, "vdsl showbins up"));
  }
  for (const char *Call : {"bins", "status:", "terminate"})
    Calls.push_back(Call);
  return Calls;
}
