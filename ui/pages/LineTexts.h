#pragma once
// How the "Line" page and the chart marks write the figures of a line
// analysis: in the units a reader of a line report expects, with a dash for
// a figure the snapshot cannot give.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QString>

struct TBridgedTap;
struct TDisturber;

// What stands where a figure is absent.
extern const QString NoFigureText;

// "107.74 Mbit/s", "960 kbit/s".
QString RateText(std::optional<std::int64_t> ABitsPerSecond);
// "17.0 dB"; ADecimals digits after the point.
QString DbText(std::optional<double> ADb, int ADecimals = 1);
// "7.10 MHz" from 1 MHz up, "552 kHz" below.
QString FrequencyText(double AHz);
// "~480 m": an estimate, to the metre.
QString LengthText(std::optional<double> AMetres);
QString CountText(std::optional<std::int64_t> ACount);
// "SHOWTIME" or the dash.
QString PlainText(const std::optional<std::string> &AText);

// The band's wavelength without its service: "40 m" of "40 m amateur",
// "MW" of "MW broadcast".
QString ShortBandName(const std::string &ABand);

// The labels of the marks on the charts: "tap ~18 m", "40 m 7.10 MHz" (the
// frequency alone outside every band).
QString TapMarkLabel(const TBridgedTap &ATap);
QString DisturberMarkLabel(const TDisturber &ADisturber);
