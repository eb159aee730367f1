#pragma once
// A bash completion script for a program with commands, made from its
// parser: the commands, each command's options, and for an option's value
// what fits (profile names, the choices it accepts, files of its kind).
// Self-contained: it needs none of the bash-completion package's helpers.

#include <string>

#include <CLI/CLI.hpp>

std::string BashCompletion(const CLI::App &AProgram);
