#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <CLI/CLI.hpp>

std::optional<double> NumberOfText(std::string_view AText) {
  double Value = 0;
  const char *End = AText.data() + AText.size();
  const auto [Stop, Error] = std::from_chars(AText.data(), End, Value);
  if (AText.empty() || Error != std::errc() || Stop != End || !std::isfinite(Value))
    return std::nullopt;
  return Value;
}

double NumberInRange(const std::string &AOption, const std::string &AText, double AMin, double AMax) {
  const std::optional<double> Value = NumberOfText(AText);
  if (!Value || *Value < AMin || *Value > AMax) {
    char Range[64];
    std::snprintf(Range, sizeof Range, "%g to %g", AMin, AMax);
    throw CLI::ValidationError(AOption, "Value " + AText + " not in range " + Range);
  }
  return *Value;
}
