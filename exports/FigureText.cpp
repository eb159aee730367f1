#include "FigureText.h"

#include <cstdio>
#include <cstdlib>

const char NoFigureText[] = "-";

namespace {

std::string Printed(const char *AFormat, double AValue, const char *AUnit) {
  char Text[64];
  std::snprintf(Text, sizeof Text, AFormat, AValue, AUnit);
  return Text;
}

} // namespace

std::string RateText(const std::optional<std::int64_t> &ABitsPerSecond) {
  if (!ABitsPerSecond)
    return NoFigureText;
  const double Rate = static_cast<double>(*ABitsPerSecond);
  if (std::llabs(*ABitsPerSecond) < 1000000)
    return Printed("%.0f %s", Rate / 1e3, "kbit/s");
  return Printed("%.2f %s", Rate / 1e6, "Mbit/s");
}

std::string DbText(const std::optional<double> &ADb, int ADecimals) {
  if (!ADb)
    return NoFigureText;
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.*f dB", ADecimals, *ADb);
  return Text;
}

std::string FrequencyText(double AHz) {
  if (AHz >= 1e6)
    return Printed("%.2f %s", AHz / 1e6, "MHz");
  return Printed("%.0f %s", AHz / 1e3, "kHz");
}

std::string LengthText(const std::optional<double> &AMetres) {
  if (!AMetres)
    return NoFigureText;
  return Printed("~%.0f %s", *AMetres, "m");
}

std::string CountText(const std::optional<std::int64_t> &ACount) {
  return ACount ? std::to_string(*ACount) : NoFigureText;
}

std::string PlainText(const std::optional<std::string> &AText) { return AText ? *AText : NoFigureText; }
