// tonegraph-cli: one parser for every sub-command, so that help, wrong usage
// and failures look and end the same whichever command it is.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "CliProgram.h"

namespace {

// "tonegraph-cli" or "tonegraph-cli import": the command the error belongs to.
std::string CommandName(const CLI::App &AProgram) {
  const std::vector<CLI::App *> Chosen = AProgram.get_subcommands();
  return AProgram.get_name() + (Chosen.empty() ? "" : " " + Chosen.front()->get_name());
}

int WrongUsage(const CLI::App &AProgram, const CLI::ParseError &AError) {
  std::fprintf(stderr, "%s: %s\n\n%s", CommandName(AProgram).c_str(), AError.what(), AProgram.help().c_str());
  return 2;
}

int ParseAndRun(CLI::App &AProgram, const std::vector<TCliCommand> &ACommands, int argc, char **argv) {
  try {
    AProgram.parse(argc, argv);
    for (const TCliCommand &Command : ACommands)
      if (Command.Parser->parsed())
        return Command.Run();
    throw CLI::RequiredError::Subcommand(1);
  } catch (const CLI::CallForVersion &AVersion) {
    std::printf("%s\n", AVersion.what());
    return 0;
  } catch (const CLI::CallForHelp &) {
    std::fputs(AProgram.help().c_str(), stdout);
    return 0;
  } catch (const CLI::ParseError &AError) {
    return WrongUsage(AProgram, AError);
  }
}

// Whatever a command wrote to standard output has all arrived, or the run
// failed: output lost to a full disk must not look like success.
bool OutputDelivered() {
  const bool Flushed = std::fflush(stdout) == 0;
  const bool Clean = !std::ferror(stdout);
  return std::fclose(stdout) == 0 && Flushed && Clean;
}

int Run(int argc, char **argv) {
  TCliProgram Program;
  try {
    return ParseAndRun(Program.Parser, Program.Commands, argc, argv);
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "tonegraph-cli: %s\n", AError.what());
    return 1;
  }
}

} // namespace

int main(int argc, char **argv) {
  // Past a file size limit a write then fails like one on a full disk, and is
  // reported and cleaned up as such, instead of the signal killing us with a
  // temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  const int Status = Run(argc, argv);
  if (!OutputDelivered()) {
    std::fprintf(stderr, "tonegraph-cli: standard output: Stream write error\n");
    return 1;
  }
  return Status;
}
