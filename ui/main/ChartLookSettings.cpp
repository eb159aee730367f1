#include "ChartLookSettings.h"

#include <QSettings>

namespace {

// Named explicitly, as the recent folders are: the same settings whatever
// the application object was told its organisation is.
QSettings Settings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tonegraph"),
                   QStringLiteral("Tonegraph"));
}

const QString BandPlanKey = QStringLiteral("Charts/BandPlan");
const QString FrequencyAxisKey = QStringLiteral("Charts/FrequencyAxis");

} // namespace

TChartLook TChartLookSettings::Load() {
  const QSettings Stored = Settings();
  TChartLook Look;
  Look.BandPlan = Stored.value(BandPlanKey, Look.BandPlan).toBool();
  Look.FrequencyAxis = Stored.value(FrequencyAxisKey, Look.FrequencyAxis).toBool();
  return Look;
}

void TChartLookSettings::Save(const TChartLook &ALook) {
  QSettings Stored = Settings();
  Stored.setValue(BandPlanKey, ALook.BandPlan);
  Stored.setValue(FrequencyAxisKey, ALook.FrequencyAxis);
}
