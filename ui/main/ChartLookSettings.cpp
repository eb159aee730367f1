#include "ChartLookSettings.h"

#include <QApplication>
#include <QPalette>
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
const QString DarkKey = QStringLiteral("Charts/Dark");

// Until the user chooses, the charts follow the desktop: dark charts in a
// window whose palette is dark.
bool DesktopIsDark() { return QApplication::palette().color(QPalette::Window).lightness() < 128; }

} // namespace

TChartLook TChartLookSettings::Load() {
  const QSettings Stored = Settings();
  TChartLook Look;
  Look.BandPlan = Stored.value(BandPlanKey, Look.BandPlan).toBool();
  Look.FrequencyAxis = Stored.value(FrequencyAxisKey, Look.FrequencyAxis).toBool();
  Look.Dark = Stored.value(DarkKey, DesktopIsDark()).toBool();
  return Look;
}

void TChartLookSettings::Save(const TChartLook &ALook) {
  QSettings Stored = Settings();
  Stored.setValue(BandPlanKey, ALook.BandPlan);
  Stored.setValue(FrequencyAxisKey, ALook.FrequencyAxis);
  Stored.setValue(DarkKey, ALook.Dark);
}
