#pragma once
// Figures of a line as people read them, the same on a terminal and in the
// window: "107.74 Mbit/s", "960 kbit/s", "6.0 dB", and NoFigureText where the
// snapshot does not have the figure.

#include <cstdint>
#include <optional>
#include <string>

// What stands where a figure is absent: the plain hyphen, which every
// terminal, code page and spreadsheet shows as it is.
extern const char NoFigureText[];

// "107.74 Mbit/s" from 1 Mbit/s up, "960 kbit/s" below.
std::string RateText(const std::optional<std::int64_t> &ABitsPerSecond);
// "17.0 dB"; ADecimals digits after the point.
std::string DbText(const std::optional<double> &ADb, int ADecimals = 1);
// "7.10 MHz" from 1 MHz up, "552 kHz" below.
std::string FrequencyText(double AHz);
// "~480 m": an estimate, to the metre.
std::string LengthText(const std::optional<double> &AMetres);
std::string CountText(const std::optional<std::int64_t> &ACount);
// "SHOWTIME", or NoFigureText.
std::string PlainText(const std::optional<std::string> &AText);
