#pragma once
// tonegraph-cli's parser with every command and option on it. The program
// runs it; the build reads it to write the manual page and the shell
// completion, so that neither can drift from what --help prints.

#include <vector>

#include "Commands.h"

struct TCliCommand {
  CLI::App *Parser;
  TCommandRun Run;
};

struct TCliProgram {
  TCliProgram();
  CLI::App Parser;
  std::vector<TCliCommand> Commands;
};
