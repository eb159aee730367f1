// tonegraph-cli retrieve: one retrieval from a router over Telnet, with the
// same reader and command sequence as the window, saved as a snapshot file.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>

#include "CliOptions.h"
#include "Commands.h"
#include "DataFileName.h"
#include "DrayData.h"
#include "RetrievalRun.h"

namespace {

const char *const RetrieveUsage =
    "Usage: tonegraph-cli retrieve --host H [--port N] --user U [--password-stdin]\n"
    "                              [--router-name NAME] [--bins] [-o FILE]\n"
    "\n"
    "Logs on to the router's Telnet command line, reads the line's statistics and\n"
    "saves them as a snapshot file.\n"
    "\n"
    "  --host H            router host name or IPv4 address\n"
    "  --port N            Telnet port (default 23)\n"
    "  --user U            account name\n"
    "  --password-stdin    read the password from the first line of standard input\n"
    "                      (without it the password is empty)\n"
    "  --router-name NAME  the name in the router's prompt (default DrayTek)\n"
    "  --bins              also read the bins tables (slower)\n"
    "  -o FILE             (or --output FILE) the snapshot file to write; default a\n"
    "                      name from the date, time and router name (an existing\n"
    "                      file is replaced)\n";

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

struct TRetrieveSettings {
  std::string Host;
  std::uint16_t Port = 23;
  std::string User;
  std::string Password;
  std::string RouterName = "DrayTek";
  bool Bins = false;
  std::string Output;
};

int WrongUsage(const std::string &AReason) {
  std::fprintf(stderr, "tonegraph-cli retrieve: %s\n\n%s", AReason.c_str(), RetrieveUsage);
  return 2;
}

std::string ReadSettings(const TCliOptions &AOptions, TRetrieveSettings &ASettings) {
  ASettings.Host = AOptions.Value("--host").value_or("");
  ASettings.User = AOptions.Value("--user").value_or("");
  if (ASettings.Host.empty())
    return "the router (--host H) is missing";
  if (ASettings.User.empty())
    return "the user (--user U) is missing";
  const std::string Port = AOptions.Value("--port").value_or("23");
  if (Port.empty() || Port.size() > 5 || Port.find_first_not_of("0123456789") != std::string::npos ||
      std::stoul(Port) < 1 || std::stoul(Port) > 65535)
    return "the port must be a number from 1 to 65535";
  ASettings.Port = static_cast<std::uint16_t>(std::stoul(Port));
  ASettings.RouterName = AOptions.Value("--router-name").value_or("DrayTek");
  if (ASettings.RouterName.empty())
    return "the router name must not be empty";
  ASettings.Bins = AOptions.Has("--bins");
  ASettings.Output = AOptions.Has("-o") ? *AOptions.Value("-o") : AOptions.Value("--output").value_or("");
  if (AOptions.Has("--password-stdin") && !std::getline(std::cin, ASettings.Password))
    ASettings.Password.clear();
  if (!ASettings.Password.empty() && ASettings.Password.back() == '\r')
    ASettings.Password.pop_back();
  return {};
}

TRetrievalOutcome Retrieve(const TRetrieveSettings &ASettings, TDrayData &AData) {
  TRetrievalRequest Request;
  Request.Host = ASettings.Host;
  Request.Port = ASettings.Port;
  Request.User = ASettings.User;
  Request.Password = ASettings.Password;
  Request.RouterName = ASettings.RouterName;
  Request.Bins = ASettings.Bins;
  TCliRetrievalView View;
  return RunRetrieval(Request, AData, &View);
}

int Report(const TRetrievalOutcome &AOutcome, TDrayData &AData, const std::string &AOutput) {
  if (!AOutcome.KeepsSnapshot()) {
    std::fprintf(stderr, "%s\n", AOutcome.Reason.c_str());
    return 1;
  }
  if (AOutcome.GotNothing()) {
    for (const std::string &Note : PartialRunNotes(AOutcome))
      std::fprintf(stderr, "%s\n", Note.c_str());
    std::fprintf(stderr, "No data retrieved: the router answered none of the commands\n");
    return 1;
  }
  // What a partial run lacks is worth a line each; the snapshot as far as it
  // got is saved all the same.
  for (const std::string &Note : PartialRunNotes(AOutcome))
    std::fprintf(stderr, "warning: %s\n", Note.c_str());
  const std::string File = AOutput.empty() ? AData.Name() : AOutput;
  AData.SaveToFile(File);
  std::fprintf(stderr, "Saved %s\n", File.c_str());
  return 0;
}

} // namespace

int RunRetrieve(const TArgs &AArgs) {
  const TCliOptions Options(
      AArgs, {"--host", "--port", "--user", "--router-name", "-o", "--output"},
      {"--help", "-h", "--password-stdin", "--bins"});
  if (Options.Error().empty() && (Options.Has("--help") || Options.Has("-h"))) {
    std::fputs(RetrieveUsage, stdout);
    return 0;
  }
  if (!Options.Error().empty())
    return WrongUsage(Options.Error());
  if (!Options.Positional().empty())
    return WrongUsage("unexpected argument '" + Options.Positional().front() + "'");
  TRetrieveSettings Settings;
  const std::string Problem = ReadSettings(Options, Settings);
  if (!Problem.empty())
    return WrongUsage(Problem);
  try {
    TDrayData Data(GenerateDataFileName(Settings.RouterName));
    return Report(Retrieve(Settings, Data), Data, Settings.Output);
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "%s\n", AError.what());
    return 1;
  }
}
