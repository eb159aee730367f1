#pragma once
// A cable gauge given on the command line: 0.4, 0.5 or 0.6 (mm).

#include <string>

#include <CLI/CLI.hpp>

// Adds --gauge to ACommand, filling AGaugeMm once the arguments are parsed.
// A diameter that is not in the cable table is wrong usage.
CLI::Option *AddGaugeOption(CLI::App &ACommand, double &AGaugeMm, const std::string &ADescription);
