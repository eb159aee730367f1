#pragma once
// The command-line switch "c" naming a configuration file to load at start.

#include <optional>
#include <string>
#include <vector>

// AArgs: the arguments after the program's own name. Returns the switch's
// value (possibly empty) when the switch is present, none otherwise.
std::optional<std::string> FindConfigSwitch(const std::vector<std::string> &AArgs);
