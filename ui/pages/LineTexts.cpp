#include "LineTexts.h"

#include <cmath>

#include "BridgedTap.h"
#include "Disturber.h"

const QString NoFigureText = QStringLiteral("\u2013");

QString RateText(std::optional<std::int64_t> ABitsPerSecond) {
  if (!ABitsPerSecond)
    return NoFigureText;
  const double rate = static_cast<double>(*ABitsPerSecond);
  if (std::llabs(*ABitsPerSecond) < 1000000)
    return QStringLiteral("%1 kbit/s").arg(rate / 1e3, 0, 'f', 0);
  return QStringLiteral("%1 Mbit/s").arg(rate / 1e6, 0, 'f', 2);
}

QString DbText(std::optional<double> ADb, int ADecimals) {
  if (!ADb)
    return NoFigureText;
  return QStringLiteral("%1 dB").arg(*ADb, 0, 'f', ADecimals);
}

QString FrequencyText(double AHz) {
  if (AHz >= 1e6)
    return QStringLiteral("%1 MHz").arg(AHz / 1e6, 0, 'f', 2);
  return QStringLiteral("%1 kHz").arg(AHz / 1e3, 0, 'f', 0);
}

QString LengthText(std::optional<double> AMetres) {
  if (!AMetres)
    return NoFigureText;
  return QStringLiteral("~%1 m").arg(*AMetres, 0, 'f', 0);
}

QString CountText(std::optional<std::int64_t> ACount) {
  return ACount ? QString::number(*ACount) : NoFigureText;
}

QString PlainText(const std::optional<std::string> &AText) {
  return AText ? QString::fromStdString(*AText) : NoFigureText;
}

QString ShortBandName(const std::string &ABand) {
  QString name = QString::fromStdString(ABand);
  for (const QLatin1String service : {QLatin1String(" amateur"), QLatin1String(" broadcast")})
    if (name.endsWith(service))
      name.chop(service.size());
  return name;
}

QString TapMarkLabel(const TBridgedTap &ATap) {
  return QStringLiteral("tap ~%1 m").arg(ATap.LengthM, 0, 'f', 0);
}

QString DisturberMarkLabel(const TDisturber &ADisturber) {
  const QString frequency = FrequencyText(ADisturber.FrequencyHz);
  return ADisturber.Band ? ShortBandName(*ADisturber.Band) + QLatin1Char(' ') + frequency : frequency;
}
