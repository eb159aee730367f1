#pragma once
// The options of tonegraph-cli retrieve and the settings of one retrieval made
// from them: each option given on the command line, otherwise the value of the
// configuration file named by --config, otherwise the window's default.

#include <cstdint>
#include <string>

#include <CLI/CLI.hpp>

#include "RetrievalRun.h"

// The retrieval as the reader gets it, and where its snapshot goes.
struct TRetrieveSettings : TRetrievalRequest {
  std::string Output;
};

// What the command line said, and which of the options it gave.
struct TRetrieveOptions {
  std::string Config;
  std::string Host;
  int Port = 23;
  std::string User;
  std::string RouterName;
  bool Bins = false;
  bool NoBins = false;
  bool PasswordStdin = false;
  std::string PasswordFile;
  std::string Output;
  std::uint16_t ShortTimeoutMs = TRetrievalTimeouts().Short;
  std::uint16_t LongTimeoutMs = TRetrievalTimeouts().Long;
  CLI::Option *ConfigOption = nullptr, *HostOption = nullptr, *PortOption = nullptr, *UserOption = nullptr,
              *RouterNameOption = nullptr, *PasswordFileOption = nullptr;
};

// AWithOutput: the command saves one snapshot file (-o).
void AddRetrieveOptions(CLI::App &ACommand, TRetrieveOptions &AOptions, bool AWithOutput = true);

// Reads the configuration file, if one is named, and the password from
// standard input or a password file when asked to. Raises the file's own errors ("Invalid
// configuration file", "Stream read error", ...), and CLI::ParseError when a
// setting a retrieval needs is missing from both.
TRetrieveSettings ReadSettings(const TRetrieveOptions &AOptions);
