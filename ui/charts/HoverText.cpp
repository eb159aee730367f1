#include "HoverText.h"

#include <cmath>

double ToneFrequencyKHz(int ATone) {
  return ATone * ToneSpacingKHz;
}

QString FormatHoverText(int ATone, const QList<QPair<QString, double>> &AValues) {
  QString text = QStringLiteral("Tone %1 (%2 kHz)").arg(ATone).arg(ToneFrequencyKHz(ATone), 0, 'f', 1);
  for (const auto &[title, value] : AValues) {
    const QString shown = std::isnan(value) ? QStringLiteral("no value") : QString::number(value, 'g', 6);
    text += QStringLiteral("\n%1: %2").arg(title, shown);
  }
  return text;
}
