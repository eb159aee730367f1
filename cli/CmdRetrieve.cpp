// tonegraph-cli retrieve: one retrieval from a router over Telnet, with the
// same reader and command sequence as the window, saved as a snapshot file.
#include <cstdio>
#include <exception>
#include <memory>

#include "Commands.h"
#include "DataFileName.h"
#include "DrayData.h"
#include "RetrievalRun.h"
#include "RetrieveOptions.h"

namespace {

// Progress goes to stderr as it is posted; the charts and texts have no place
// on a terminal.
class TCliRetrievalView : public TQuietRetrievalView {
public:
  void SetStatusText(const std::string &AText) override {
    if (!AText.empty())
      std::fprintf(stderr, "%s\n", AText.c_str());
  }
  // One line per command, "[3/13] vdsl status more": with bins a real router
  // takes tens of seconds, and the lines show that it moves.
  void Progress(int AStep, int ASteps, const std::string &ACommand) override {
    std::fprintf(stderr, "[%d/%d] %s\n", AStep, ASteps, ACommand.c_str());
  }
  void UpdateProfileLabel(TVDSLProfile AProfile) override {
    std::fprintf(stderr, "VDSL profile: %s\n", ProfileName(AProfile));
  }
};

TRetrievalOutcome Retrieve(const TRetrieveSettings &ASettings, TDrayData &AData) {
  TCliRetrievalView View;
  return RunRetrieval(ASettings, AData, &View);
}

// ARouter ("192.168.1.1:23") is what a failure of the run is about.
int Report(const TRetrievalOutcome &AOutcome, TDrayData &AData, const std::string &AOutput,
           const std::string &ARouter) {
  if (!AOutcome.KeepsSnapshot())
    throw ECliFailure(ARouter, AOutcome.Reason);
  if (AOutcome.GotNothing()) {
    for (const std::string &Note : PartialRunNotes(AOutcome))
      std::fprintf(stderr, "%s\n", Note.c_str());
    throw ECliFailure(ARouter, "No data retrieved: the router answered none of the commands");
  }
  // What a partial run lacks is worth a line each; the snapshot as far as it
  // got is saved all the same.
  for (const std::string &Note : PartialRunNotes(AOutcome))
    std::fprintf(stderr, "warning: %s\n", Note.c_str());
  const std::string File = AOutput.empty() ? AData.Name() : AOutput;
  About(File, [&] { AData.SaveToFile(File); });
  std::fprintf(stderr, "Saved %s\n", File.c_str());
  return 0;
}

int RetrieveAndSave(const TRetrieveOptions &AOptions) {
  const TRetrieveSettings Settings = ReadSettings(AOptions);
  TDrayData Data(GenerateDataFileName(Settings.RouterName));
  return Report(Retrieve(Settings, Data), Data, Settings.Output,
                Settings.Host + ":" + std::to_string(Settings.Port));
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
