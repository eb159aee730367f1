#pragma once
// The sub-commands of tonegraph-cli. Each puts its options on the program's
// parser and gives back what runs it once the arguments are parsed, which
// returns the exit status: 0 done, 1 failure. Wrong usage is a CLI::ParseError,
// thrown by the parser or by the command itself, and ends with status 2.

#include <functional>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

using TCommandRun = std::function<int()>;

TCommandRun AddImportCommand(CLI::App &AProgram);
TCommandRun AddShowCommand(CLI::App &AProgram);
TCommandRun AddAnalyzeCommand(CLI::App &AProgram);
TCommandRun AddRetrieveCommand(CLI::App &AProgram);
TCommandRun AddRouterSimCommand(CLI::App &AProgram);
TCommandRun AddExportCommand(CLI::App &AProgram);

// A failure of the command, with what it is about (a file, a router) before
// the system's own message: "line.draydata: Invalid property value".
class ECliFailure : public std::runtime_error {
public:
  ECliFailure(const std::string &ASubject, const std::string &AMessage)
      : std::runtime_error(ASubject + ": " + AMessage) {}
};

// Runs AWork; whatever it raises comes out as an ECliFailure about ASubject.
template <typename TWork> auto About(const std::string &ASubject, TWork &&AWork) -> decltype(AWork()) {
  try {
    return AWork();
  } catch (const CLI::ParseError &) {
    throw;
  } catch (const std::exception &AError) {
    throw ECliFailure(ASubject, AError.what());
  }
}
