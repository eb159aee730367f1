#include <cstdio>

#include "Commands.h"

// Placeholder until the command is built.
int RunShow(const TArgs &) {
  std::fputs("tonegraph-cli: this command is not available yet\n", stderr);
  return 1;
}
