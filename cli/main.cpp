#include <cstdio>
#include <cstring>
#include <string>

#include "Commands.h"

namespace {

const char *const Usage =
    "Usage: tonegraph-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  import    build a snapshot file from captured router text files\n"
    "  show      print a snapshot file\n"
    "  retrieve  read a snapshot from a router over Telnet\n"
    "  routersim run a simulated router on loopback\n"
    "\n"
    "Run 'tonegraph-cli COMMAND --help' for the options of a command.\n";

struct TCommand {
  const char *Name;
  int (*Run)(const TArgs &);
};

const TCommand Commands[] = {
    {"import", RunImport},
    {"show", RunShow},
    {"retrieve", RunRetrieve},
    {"routersim", RunRouterSim},
};

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fputs(Usage, stderr);
    return 2;
  }
  std::string Name = argv[1];
  if (Name == "--help" || Name == "-h") {
    std::fputs(Usage, stdout);
    return 0;
  }
  TArgs Args(argv + 2, argv + argc);
  for (const TCommand &Command : Commands)
    if (Name == Command.Name)
      return Command.Run(Args);
  std::fprintf(stderr, "tonegraph-cli: unknown command '%s'\n\n%s", Name.c_str(), Usage);
  return 2;
}
