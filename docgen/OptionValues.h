#pragma once
// What may stand for an option's value, as far as its definition tells.

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

// The words to offer (profile names, the members of a set), or none when
// the value is free or a file.
std::optional<std::vector<std::string>> ValueWords(const CLI::Option &AOption);

// The glob of the files to offer ("*.draydata"; "*" for any file), or none
// when the value is no file. A value is a file when it is a positional
// argument or --help names it as one; which kind the description says.
std::optional<std::string> FileGlob(const CLI::Option &AOption);
