#pragma once
// The text of a chart's tooltip: the tone under the cursor, its frequency and
// the value of each series there.

#include <QList>
#include <QPair>
#include <QString>

// Tones of VDSL2 lie 4.3125 kHz apart, starting at 0 Hz.
inline constexpr double ToneSpacingKHz = 4.3125;

double ToneFrequencyKHz(int ATone);

// AValues: series title and value; NaN where the series has no value there.
QString FormatHoverText(int ATone, const QList<QPair<QString, double>> &AValues);
