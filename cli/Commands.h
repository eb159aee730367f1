#pragma once
// Each sub-command of tonegraph-cli: takes the arguments after its name and
// returns the exit status (0 done, 1 failure, 2 wrong usage).

#include <string>
#include <vector>

using TArgs = std::vector<std::string>;

int RunImport(const TArgs &AArgs);
int RunShow(const TArgs &AArgs);
int RunRetrieve(const TArgs &AArgs);
int RunRouterSim(const TArgs &AArgs);
