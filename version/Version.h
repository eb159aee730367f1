#pragma once
// The program's version, as the build was made: "0.1.0".

#include <string>

const char *TonegraphVersion();

// What --version prints: "tonegraph-cli 0.1.0".
std::string VersionLine(const std::string &AProgram);
