#include "HoverText.h"

#include <cmath>

double ToneFrequencyKHz(int ATone, double AToneSpacingHz) {
  return ATone * AToneSpacingHz / 1000;
}

namespace {

QString ValueText(double AValue, const THoverFormat &AFormat) {
  if (std::isnan(AValue))
    return QStringLiteral("no value");
  const QString number = QString::number(AValue, 'f', AFormat.Decimals);
  return AFormat.Unit.isEmpty() ? number : number + QLatin1Char(' ') + AFormat.Unit;
}

}  // namespace

QString FormatHoverText(int ATone, const THoverFormat &AFormat, const QList<QPair<QString, double>> &AValues) {
  QString text = QStringLiteral("%1 %2 (%3 kHz)")
                     .arg(AFormat.PositionWord)
                     .arg(ATone)
                     .arg(ToneFrequencyKHz(ATone, AFormat.ToneSpacingHz), 0, 'f', 1);
  for (const auto &[title, value] : AValues) {
    const QString name = AFormat.ValueName.isEmpty() ? title : title + QLatin1Char(' ') + AFormat.ValueName;
    text += QStringLiteral("\n%1: %2").arg(name, ValueText(value, AFormat));
  }
  return text;
}
