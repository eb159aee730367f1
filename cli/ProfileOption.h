#pragma once
// A VDSL profile given by name on the command line ("17a", "35B", "N/A").

#include <string>

#include <CLI/CLI.hpp>

#include "VDSLProfile.h"

// Adds --profile to ACommand, filling AProfile once the arguments are parsed.
// A name that is no profile (or N/A, unless AAllowNA) is wrong usage.
CLI::Option *AddProfileOption(CLI::App &ACommand, TVDSLProfile &AProfile, bool AAllowNA,
                              const std::string &ADescription);
