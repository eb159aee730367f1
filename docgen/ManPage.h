#pragma once
// A manual page in section 1, made from a program's parser: its synopsis,
// options and commands come from the parser, the rest from TManPageText.

#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

// The parts of a page that no parser knows. Each pair is a term and what it
// says: an example command line and its purpose, a file and its use.
struct TManPageText {
  std::vector<std::pair<std::string, std::string>> Examples;
  std::vector<std::pair<std::string, std::string>> ExitStatus;
  std::vector<std::pair<std::string, std::string>> Environment;
  std::vector<std::pair<std::string, std::string>> Files;
  std::vector<std::string> SeeAlso; // "tonegraph(1)"
};

std::string ManPage(const CLI::App &AProgram, const TManPageText &AText, const std::string &AVersion);
