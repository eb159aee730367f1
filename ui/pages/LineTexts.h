#pragma once
// The window's side of the figure texts: the figures as the command line
// writes them, for labels and tables, and the labels of the chart marks.

#include <optional>
#include <string>

#include <QString>

#include "FigureText.h"

struct TBridgedTap;
struct TDisturber;

// AText of the figure texts, for a label or a table cell.
inline QString Shown(const std::string &AText) { return QString::fromStdString(AText); }

// The band's wavelength without its service: "40 m" of "40 m amateur",
// "MW" of "MW broadcast".
QString ShortBandName(const std::string &ABand);

// The labels of the marks on the charts: "tap ~18 m", "40 m 7.10 MHz" (the
// frequency alone outside every band).
QString TapMarkLabel(const TBridgedTap &ATap);
QString DisturberMarkLabel(const TDisturber &ADisturber);
