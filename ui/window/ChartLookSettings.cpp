#include "ChartLookSettings.h"

#include <QApplication>
#include <QPalette>

#include "UserSettings.h"

namespace {

const QString BandPlanKey = QStringLiteral("Charts/BandPlan");
const QString FrequencyAxisKey = QStringLiteral("Charts/FrequencyAxis");
const QString DarkKey = QStringLiteral("Charts/Dark");

// Until the user chooses, the charts follow the desktop: dark charts in a
// window whose palette is dark.
bool DesktopIsDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }

} // namespace

TChartLook TChartLookSettings::Load() {
  const QSettings Stored = UserSettings();
  TChartLook Look;
  Look.BandPlan = Stored.value(BandPlanKey, Look.BandPlan).toBool();
  Look.FrequencyAxis = Stored.value(FrequencyAxisKey, Look.FrequencyAxis).toBool();
  Look.Dark = Stored.value(DarkKey, DesktopIsDark()).toBool();
  return Look;
}

void TChartLookSettings::Save(const TChartLook &ALook) {
  QSettings Stored = UserSettings();
  Stored.setValue(BandPlanKey, ALook.BandPlan);
  Stored.setValue(FrequencyAxisKey, ALook.FrequencyAxis);
  Stored.setValue(DarkKey, ALook.Dark);
}
