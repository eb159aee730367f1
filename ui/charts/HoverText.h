#pragma once
// The text of a chart's tooltip: the tone under the cursor, its frequency and
// the value of each series there, with the chart's unit.

#include <QList>
#include <QPair>
#include <QString>

// What a chart's tooltip calls its positions and values.
struct THoverFormat {
  // "Tone", or "Bin" where the tone axis counts bins.
  QString PositionWord = QStringLiteral("Tone");
  // The snapshot's tone spacing (ToneSpacingHz of its profile).
  double ToneSpacingHz = 4312.5;
  // Put after the series title where the chart's title does not say what
  // is shown: "Bits" gives "US Bits: 12".
  QString ValueName;
  // "dB", "dBm/Hz"; empty for a plain count.
  QString Unit;
  int Decimals = 1;
};

double ToneFrequencyKHz(int ATone, double AToneSpacingHz);

// AValues: series title and value; NaN where the series has no value there.
QString FormatHoverText(int ATone, const THoverFormat &AFormat, const QList<QPair<QString, double>> &AValues);
