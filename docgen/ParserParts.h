#pragma once
// What the manual page and the completion read from a CLI11 parser: its
// commands, the options --help shows, and what each option's value is.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

// The named sub-commands; CLI11 keeps option groups as nameless ones.
std::vector<const CLI::App *> Commands(const CLI::App &AProgram);
std::vector<const CLI::App *> OptionGroups(const CLI::App &AProgram);

// The options --help shows (one without a group is hidden), without those of
// option groups.
std::vector<const CLI::Option *> ShownOptions(const CLI::App &AProgram);
// The same with those of its option groups.
std::vector<const CLI::Option *> AllShownOptions(const CLI::App &AProgram);

bool TakesValue(const CLI::Option &AOption);

// "FILE...": what stands for the value, as --help names it.
std::string ValueName(const CLI::Option &AOption);

// "-o", "--output": its names as typed, short ones first.
std::vector<std::string> OptionNames(const CLI::Option &AOption);

// "--output": the name it is best known by, the long one.
std::string LongestName(const CLI::Option &AOption);

// AWords with ASeparator between each two.
std::string Joined(const std::vector<std::string> &AWords, const std::string &ASeparator);
