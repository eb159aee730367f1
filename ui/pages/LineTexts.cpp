#include "LineTexts.h"

#include "BridgedTap.h"
#include "Disturber.h"

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
  const QString frequency = Shown(FrequencyText(ADisturber.FrequencyHz));
  return ADisturber.Band ? ShortBandName(*ADisturber.Band) + QLatin1Char(' ') + frequency : frequency;
}
