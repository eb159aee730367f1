#pragma once
// The simulated router's line on the command line: loop length, gauge,
// bridged tap and radio disturbers.

#include <CLI/CLI.hpp>

#include "LineSetup.h"

// Adds --loop-length, --gauge, --tap-length, --disturber (repeatable) and
// --no-disturbers to ACommand; what is given replaces that part of ALine.
void AddLineOptions(CLI::App &ACommand, TLineSetup &ALine);
