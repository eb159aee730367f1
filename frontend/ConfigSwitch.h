#pragma once
// The command-line switch "c" naming a configuration file to load at start.

#include <optional>
#include <string>
#include <vector>

// AArgs: the arguments after the program's own name. Returns the switch's
// value (possibly empty) when the switch is present, none otherwise.
std::optional<std::string> FindConfigSwitch(const std::vector<std::string> &AArgs);

// The configuration file to load at start: the switch's value when the switch
// is present; otherwise the first argument that names a ".conf" file, as a
// file manager passes a settings file opened with the window.
std::optional<std::string> FindStartupConfiguration(const std::vector<std::string> &AArgs);
