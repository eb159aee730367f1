#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
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

std::optional<long long> WholeNumberOfText(std::string_view AText, long long AMin, long long AMax) {
  long long Value = 0;
  const char *End = AText.data() + AText.size();
  const auto [Stop, Error] = std::from_chars(AText.data(), End, Value);
  if (AText.empty() || Error != std::errc() || Stop != End || Value < AMin || Value > AMax)
    return std::nullopt;
  return Value;
}

namespace {

std::string NotInRange(const std::string &AText, const char *AFormat, auto AMin, auto AMax) {
  char Range[64];
  std::snprintf(Range, sizeof Range, AFormat, AMin, AMax);
  return "Value " + AText + " not in range " + Range;
}

} // namespace

double NumberInRange(const std::string &AOption, const std::string &AText, double AMin, double AMax) {
  const std::optional<double> Value = NumberOfText(AText);
  if (!Value || *Value < AMin || *Value > AMax)
    throw CLI::ValidationError(AOption, NotInRange(AText, "%g to %g", AMin, AMax));
  return *Value;
}

CLI::Validator WholeNumberIn(long long AMin, long long AMax) {
  return CLI::Validator(
      [AMin, AMax](std::string &AText) {
        return WholeNumberOfText(AText, AMin, AMax) ? std::string() : NotInRange(AText, "%lld to %lld", AMin, AMax);
      },
      "");
}

// A week: longer waits are typing mistakes, and the product with the back-off
// factor stays far from any overflow.
constexpr long long LongestDuration = 7LL * 24 * 3600 * 1000;

std::optional<std::chrono::milliseconds> DurationOfText(const std::string &AText, std::string &AWhy) {
  AWhy = "'" + AText + "' is not a duration like 30s, 5m or 1h";
  const std::size_t Digits = std::min(AText.find_first_not_of("0123456789"), AText.size());
  const std::string Unit = AText.substr(Digits);
  const long long Scale = Unit == "ms" ? 1 : Unit == "s" ? 1000 : Unit == "m" ? 60000 : Unit == "h" ? 3600000 : 0;
  if (Digits == 0 || Scale == 0)
    return std::nullopt;
  // Digits past any integer are longer than a week all the same.
  const std::optional<long long> Value = WholeNumberOfText(std::string_view(AText).substr(0, Digits), 0, LLONG_MAX);
  if (Value == 0)
    return std::nullopt;
  if (!Value || *Value > LongestDuration / Scale) {
    AWhy = "'" + AText + "' is longer than a week";
    return std::nullopt;
  }
  return std::chrono::milliseconds(*Value * Scale);
}
