#include "WindowArguments.h"

#include "Version.h"

namespace {

const char *const ProgramName = "tonegraph";
const char *const VersionSwitch = "--version";

} // namespace

void DefineWindowArguments(CLI::App &AProgram) {
  AProgram.name(ProgramName);
  AProgram.description("Shows the per-tone statistics of a DrayTek Vigor's VDSL line as charts: retrieves them "
                       "from the router over Telnet, opens snapshot files and history databases.");
  AProgram.add_option("FILE", "snapshot files (.draydata) and history databases (.tgdb) to open; without -c, the "
                              "first configuration file (.conf) named is loaded as -c loads it")
      ->type_name("")
      ->expected(0, -1);
  AProgram.add_option("-c", "a configuration file to load at start: router, port, user, router name and options")
      ->type_name("FILE");
  const std::string Demo = "run a simulated router inside the program and fill in the connection for it, so that "
                           "Retrieve works without a router";
  AProgram.add_flag(DemoSwitch, Demo);
  AProgram
      .add_option(std::string(DemoProfileSwitch), "the VDSL profile of the demo's line (default 17a); implies --demo")
      ->type_name("P");
  AProgram.set_version_flag(VersionSwitch, VersionLine(ProgramName), "print the program's version and end");
}

std::optional<std::string> AnswerWithoutWindow(const std::vector<std::string> &AArgs) {
  CLI::App Program;
  DefineWindowArguments(Program);
  for (const std::string &Arg : AArgs) {
    if (Program.get_help_ptr()->check_name(Arg))
      return Program.help();
    if (Arg == VersionSwitch)
      return VersionLine(ProgramName) + "\n";
  }
  return std::nullopt;
}
