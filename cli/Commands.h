#pragma once
// The sub-commands of tonegraph-cli. Each puts its options on the program's
// parser and gives back what runs it once the arguments are parsed, which
// returns the exit status: 0 done, 1 failure. Wrong usage is a CLI::ParseError,
// thrown by the parser or by the command itself, and ends with status 2.

#include <functional>

#include <CLI/CLI.hpp>

using TCommandRun = std::function<int()>;

TCommandRun AddImportCommand(CLI::App &AProgram);
TCommandRun AddShowCommand(CLI::App &AProgram);
TCommandRun AddRetrieveCommand(CLI::App &AProgram);
TCommandRun AddRouterSimCommand(CLI::App &AProgram);
