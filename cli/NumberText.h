#pragma once
// Decimal numbers given on the command line ("0.5", "7.1", "1200").

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

// The finite number the whole of AText spells; none for anything else
// (blanks, trailing letters, "nan", "inf" included).
std::optional<double> NumberOfText(std::string_view AText);

// The whole number from AMin to AMax, both included, that all of AText spells
// in decimal digits; none for anything else, numbers past any integer
// included.
std::optional<long long> WholeNumberOfText(std::string_view AText, long long AMin, long long AMax);

// AText as a number from AMin to AMax, both included; anything else is wrong
// usage of AOption, with the message the other range checks give:
// "Value 6000 not in range 0 to 5000".
double NumberInRange(const std::string &AOption, const std::string &AText, double AMin, double AMax);

// The same for whole numbers, as a check of an option's text before CLI11
// converts it (which would take a number past the type's range as its
// largest value).
CLI::Validator WholeNumberIn(long long AMin, long long AMax);

// A wait given on the command line: "30s", "5m", "1h", "250ms", up to a week.
// AWhy says what is wrong with anything else.
std::optional<std::chrono::milliseconds> DurationOfText(const std::string &AText, std::string &AWhy);
