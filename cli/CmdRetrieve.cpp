// tonegraph-cli retrieve: one retrieval from a router over Telnet, with the
// same reader and command sequence as the window, saved as a snapshot file.
#include <cstdio>
#include <exception>
#include <memory>

#include "ClosureQueue.h"
#include "Commands.h"
#include "DataFileName.h"
#include "DrayData.h"
#include "DrayTelnetReader.h"
#include "RetrieveOptions.h"

namespace {

// Progress goes to stderr as it is posted; the charts and texts have no place
// on a terminal.
class TCliRetrievalView : public IRetrievalView {
public:
  void SetStatusText(const std::string &AText) override {
    if (!AText.empty())
      std::fprintf(stderr, "%s\n", AText.c_str());
  }
  void UpdateProfileLabel(TVDSLProfile AProfile) override {
    std::fprintf(stderr, "VDSL profile: %s\n", ProfileName(AProfile));
  }
  void DisplayTextData(TDrayData *) override {}
  void PlotHLOG(TDrayData *) override {}
  void PlotQLN(TDrayData *) override {}
  void PlotSNR(TDrayData *) override {}
  void PlotBitLoading(TDrayData *) override {}
  void PlotBinsSNR(TDrayData *) override {}
  void PlotGain(TDrayData *) override {}
};

struct TOutcome {
  bool Done = false;
  bool TelnetError = false;
  std::string Reason;
  std::string Fatal;
};

TOutcome Retrieve(const TRetrieveSettings &ASettings, TDrayData &AData) {
  TTelnetClient Telnet;
  Telnet.SetHost(ASettings.Host);
  Telnet.SetPort(ASettings.Port);
  TClosureQueue Queue;
  TCliRetrievalView View;
  TOutcome Outcome;
  auto *Reader = new TDrayTelnetReader(Telnet, ASettings.User, ASettings.Password,
                                       ASettings.RouterName, &AData, ASettings.Bins, &View, Queue);
  Reader->SetFreeOnTerminate(true);
  Reader->OnTerminate = [&Outcome](TThread *AThread) {
    auto *Ended = static_cast<TDrayTelnetReader *>(AThread);
    Outcome.TelnetError = Ended->TelnetError();
    Outcome.Reason = Ended->ErrorReason();
    Outcome.Fatal = Ended->FatalException() ? Ended->FatalMessage() : "";
    Outcome.Done = true;
  };
  Reader->Start();
  Queue.RunUntil([&Outcome] { return Outcome.Done; });
  return Outcome;
}

int Report(const TOutcome &AOutcome, TDrayData &AData, const std::string &AOutput) {
  if (AOutcome.TelnetError) {
    std::fprintf(stderr, "%s\n", AOutcome.Reason.c_str());
    return 1;
  }
  if (!AOutcome.Fatal.empty()) {
    std::fprintf(stderr, "%s\n", AOutcome.Fatal.c_str());
    return 1;
  }
  // A failure the reader kept to itself (an unknown profile, say) leaves the
  // snapshot as far as it got; it is saved, and the reason is worth a line.
  if (!AOutcome.Reason.empty())
    std::fprintf(stderr, "warning: %s\n", AOutcome.Reason.c_str());
  const std::string File = AOutput.empty() ? AData.Name() : AOutput;
  AData.SaveToFile(File);
  std::fprintf(stderr, "Saved %s\n", File.c_str());
  return 0;
}

int RetrieveAndSave(const TRetrieveOptions &AOptions) {
  const TRetrieveSettings Settings = ReadSettings(AOptions);
  TDrayData Data(GenerateDataFileName(Settings.RouterName));
  return Report(Retrieve(Settings, Data), Data, Settings.Output);
}

} // namespace

TCommandRun AddRetrieveCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TRetrieveOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "retrieve", "Logs on to the router's Telnet command line, reads the line's statistics and saves them as a "
                  "snapshot file.");
  AddRetrieveOptions(*Command, *Options);
  return [Options] { return RetrieveAndSave(*Options); };
}
