#include "FigureText.h"

#include <cstdio>

std::string RateText(const std::optional<std::int64_t> &ABitsPerSecond) {
  if (!ABitsPerSecond)
    return "-";
  char Text[32];
  std::snprintf(Text, sizeof Text, "%.2f Mbit/s", static_cast<double>(*ABitsPerSecond) / 1e6);
  return Text;
}

std::string DbText(const std::optional<double> &ADb) {
  if (!ADb)
    return "-";
  char Text[32];
  std::snprintf(Text, sizeof Text, "%.1f dB", *ADb);
  return Text;
}
