#pragma once
// Decimal numbers given on the command line ("0.5", "7.1", "1200").

#include <optional>
#include <string>
#include <string_view>

// The finite number the whole of AText spells; none for anything else
// (blanks, trailing letters, "nan", "inf" included).
std::optional<double> NumberOfText(std::string_view AText);

// AText as a number from AMin to AMax, both included; anything else is wrong
// usage of AOption, with the message the other range checks give:
// "Value 6000 not in range 0 to 5000".
double NumberInRange(const std::string &AOption, const std::string &AText, double AMin, double AMax);
