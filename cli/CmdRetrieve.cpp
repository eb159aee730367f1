// tonegraph-cli retrieve: one retrieval from a router over Telnet, with the
// same reader and command sequence as the window, saved as a snapshot file.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>

#include "ClosureQueue.h"
#include "Commands.h"
#include "Configuration.h"
#include "DataFileName.h"
#include "DrayData.h"
#include "DrayTelnetReader.h"

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

struct TRetrieveSettings {
  std::string Host;
  std::uint16_t Port = 23;
  std::string User;
  std::string Password;
  std::string RouterName = "DrayTek";
  bool Bins = false;
  std::string Output;
};

struct TOutcome {
  bool Done = false;
  bool TelnetError = false;
  std::string Reason;
  std::string Fatal;
};

// What the command line said; an option not given leaves the value of the
// configuration file, or the default.
struct TRetrieveOptions {
  std::string Config;
  std::string Host;
  int Port = 23;
  std::string User;
  std::string RouterName;
  bool Bins = false;
  bool NoBins = false;
  bool PasswordStdin = false;
  std::string Output;
  CLI::Option *ConfigOption, *HostOption, *PortOption, *UserOption, *RouterNameOption;
};

template <typename TValue>
TValue Given(const CLI::Option *AOption, const TValue &AValue, const TValue &AOtherwise) {
  return AOption->count() > 0 ? AValue : AOtherwise;
}

// Without a configuration file, the defaults are those of the window's fields.
// Raises the file's own errors ("Invalid configuration file", ...).
TConnectionSettings Defaults(const TRetrieveOptions &AOptions) {
  TConnectionSettings Defaults;
  if (AOptions.ConfigOption->count() > 0)
    LoadConfiguration(AOptions.Config, Defaults);
  return Defaults;
}

void CheckSettings(const TRetrieveSettings &ASettings) {
  if (ASettings.Host.empty())
    throw CLI::RequiredError("the router (--host H, or --config FILE that names one)");
  if (ASettings.User.empty())
    throw CLI::RequiredError("the user (--user U, or --config FILE that names one)");
  if (ASettings.RouterName.empty())
    throw CLI::ValidationError("--router-name", "the router name must not be empty");
}

std::string ReadPassword() {
  std::string Password;
  if (!std::getline(std::cin, Password))
    Password.clear();
  if (!Password.empty() && Password.back() == '\r')
    Password.pop_back();
  return Password;
}

TRetrieveSettings ReadSettings(const TRetrieveOptions &AOptions) {
  const TConnectionSettings File = Defaults(AOptions);
  TRetrieveSettings Settings;
  Settings.Host = Given(AOptions.HostOption, AOptions.Host, File.Router);
  Settings.Port = static_cast<std::uint16_t>(Given(AOptions.PortOption, AOptions.Port, File.Port));
  Settings.User = Given(AOptions.UserOption, AOptions.User, File.User);
  Settings.RouterName = Given(AOptions.RouterNameOption, AOptions.RouterName, File.RouterName);
  Settings.Bins = AOptions.Bins || (!AOptions.NoBins && File.ShowBins);
  Settings.Output = AOptions.Output;
  CheckSettings(Settings);
  if (AOptions.PasswordStdin)
    Settings.Password = ReadPassword();
  return Settings;
}

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

void AddConnectionOptions(CLI::App &ACommand, TRetrieveOptions &AOptions) {
  AOptions.ConfigOption =
      ACommand.add_option("--config", AOptions.Config, "a configuration file saved by the window: router, port, "
                                                        "user, bins option and router name come from it unless "
                                                        "given here")
          ->type_name("FILE");
  AOptions.HostOption =
      ACommand.add_option("--host", AOptions.Host, "router host name or IPv4 address")->type_name("H");
  AOptions.PortOption = ACommand.add_option("--port", AOptions.Port, "Telnet port, 1 to 65535 (default 23)")
                            ->type_name("N")
                            ->check(CLI::Range(MinTelnetPort, MaxTelnetPort).description(""));
  AOptions.UserOption = ACommand.add_option("--user", AOptions.User, "account name")->type_name("U");
  AOptions.RouterNameOption =
      ACommand.add_option("--router-name", AOptions.RouterName, "the name in the router's prompt (default DrayTek)")
          ->type_name("NAME");
  CLI::Option *Bins = ACommand.add_flag("--bins", AOptions.Bins, "also read the bins tables (slower)");
  ACommand.add_flag("--no-bins", AOptions.NoBins, "do not read them, whatever the configuration file says")
      ->excludes(Bins);
}

} // namespace

TCommandRun AddRetrieveCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TRetrieveOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "retrieve", "Logs on to the router's Telnet command line, reads the line's statistics and saves them as a "
                  "snapshot file.");
  AddConnectionOptions(*Command, *Options);
  Command->add_flag("--password-stdin", Options->PasswordStdin,
                    "read the password from the first line of standard input (without it the password is empty)");
  Command->add_option("-o,--output", Options->Output,
                      "the snapshot file to write; default a name from the date, time and router name (an "
                      "existing file is replaced)")
      ->type_name("FILE");
  return [Options] { return RetrieveAndSave(*Options); };
}
