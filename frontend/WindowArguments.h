#pragma once
// The window's command line in one definition: its --help prints it and its
// manual page is made from it. The window reads its arguments itself, among
// the toolkit's own, so the definition binds nothing; it only names and
// describes.

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

inline constexpr const char *DemoSwitch = "--demo";
inline constexpr const char *DemoProfileSwitch = "--demo-profile";

// "tonegraph" with its arguments, help and version.
void DefineWindowArguments(CLI::App &AProgram);

// The text that --help or --version print instead of opening the window
// (whichever comes first in AArgs, the arguments after the program's name);
// none when neither is there. Needs no display.
std::optional<std::string> AnswerWithoutWindow(const std::vector<std::string> &AArgs);
