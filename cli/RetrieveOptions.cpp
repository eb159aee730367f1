#include "RetrieveOptions.h"

#include <iostream>

#include "Commands.h"
#include "Configuration.h"
#include "PasswordFile.h"

namespace {

template <typename TValue>
TValue Given(const CLI::Option *AOption, const TValue &AValue, const TValue &AOtherwise) {
  return AOption->count() > 0 ? AValue : AOtherwise;
}

// Without a configuration file, the defaults are those of the window's fields.
TConnectionSettings Defaults(const TRetrieveOptions &AOptions) {
  TConnectionSettings Defaults;
  if (AOptions.ConfigOption->count() > 0)
    About(AOptions.Config, [&] { LoadConfiguration(AOptions.Config, Defaults); });
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
  DropCarriageReturn(Password);
  return Password;
}

void AddPasswordOptions(CLI::App &ACommand, TRetrieveOptions &AOptions) {
  CLI::Option *Stdin =
      ACommand.add_flag("--password-stdin", AOptions.PasswordStdin,
                        "read the password from the first line of standard input (without it the password is empty)");
  AOptions.PasswordFileOption =
      ACommand
          .add_option("--password-file", AOptions.PasswordFile,
                      "read the password from the first line of FILE, which only its owner may read (chmod 600)")
          ->type_name("FILE")
          ->excludes(Stdin);
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

void AddRetrieveOptions(CLI::App &ACommand, TRetrieveOptions &AOptions, bool AWithOutput) {
  AddConnectionOptions(ACommand, AOptions);
  AddPasswordOptions(ACommand, AOptions);
  if (AWithOutput)
    ACommand.add_option("-o,--output", AOptions.Output,
                        "the snapshot file to write; default a name from the date, time and router name (an "
                        "existing file is replaced)")
        ->type_name("FILE");
  // A slow router may want longer; tests want shorter.
  ACommand.add_option("--answer-timeout", AOptions.ShortTimeoutMs,
                      "milliseconds to wait for the logon prompts and each answer (default 10000)")
      ->type_name("MS")
      ->check(CLI::Range(1, 65535).description(""));
  ACommand.add_option("--bins-timeout", AOptions.LongTimeoutMs,
                      "milliseconds to wait for the password prompt and each bins answer (default 20000)")
      ->type_name("MS")
      ->check(CLI::Range(1, 65535).description(""));
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
  Settings.Timeouts = {AOptions.ShortTimeoutMs, AOptions.LongTimeoutMs};
  CheckSettings(Settings);
  if (AOptions.PasswordStdin)
    Settings.Password = ReadPassword();
  if (AOptions.PasswordFileOption->count() > 0)
    Settings.Password = About(AOptions.PasswordFile, [&] { return ReadPasswordFile(AOptions.PasswordFile); });
  return Settings;
}
