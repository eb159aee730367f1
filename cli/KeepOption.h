#pragma once
// The retention policy given on the command line (--keep), checked as it is
// parsed.

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "HistoryStore.h"
#include "RetentionPolicy.h"

CLI::Option *AddKeepOption(CLI::App &ACommand, std::optional<TRetentionPolicy> &APolicy, const std::string &AWhen);

// "thinned "DB": dropped 120 of 200 snapshots (3 more kept as bases of
// others)", or with "would drop" for a dry run.
std::string ThinnedText(const THistoryStore &AStore, const THistoryStore::TThinned &AThinned, bool ADryRun);
