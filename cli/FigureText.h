#pragma once
// Figures on a terminal: "124.05 Mbit/s", "6.0 dB", "-" for a figure the
// snapshot does not have.

#include <cstdint>
#include <optional>
#include <string>

std::string RateText(const std::optional<std::int64_t> &ABitsPerSecond);
std::string DbText(const std::optional<double> &ADb);
