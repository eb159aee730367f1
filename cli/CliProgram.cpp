#include "CliProgram.h"

#include "Version.h"

namespace {

std::vector<TCliCommand> AddCommands(CLI::App &AProgram) {
  std::vector<TCliCommand> Commands;
  for (auto Add : {AddImportCommand, AddShowCommand, AddAnalyzeCommand, AddRetrieveCommand, AddRouterSimCommand,
                   AddWatchCommand, AddHistoryCommand, AddDiffCommand, AddExportCommand}) {
    TCommandRun Run = Add(AProgram);
    Commands.push_back({AProgram.get_subcommands({}).back(), std::move(Run)});
  }
  return Commands;
}

} // namespace

TCliProgram::TCliProgram()
    : Parser("Reads, saves and shows the per-tone statistics of a DrayTek Vigor's VDSL line.", "tonegraph-cli") {
  // At most one here, and none is reported after parsing: a word that is no
  // command then reads as such rather than as a missing command.
  Parser.require_subcommand(0, 1);
  Commands = AddCommands(Parser);
  // After the commands, which would inherit them.
  Parser.set_version_flag("--version", VersionLine("tonegraph-cli"), "print the program's version and end");
  Parser.footer("Run 'tonegraph-cli COMMAND --help' for the options of a command.");
}
