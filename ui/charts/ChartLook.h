#pragma once
// How the user likes the charts: the band plan shaded or not, the tone axis
// in tone numbers or in MHz. Applied after a snapshot is drawn, because both
// follow its profile.

#include <QColor>

#include "VDSLProfile.h"

class TToneChart;

struct TChartLook {
  bool BandPlan = true;
  bool FrequencyAxis = false;
  bool operator==(const TChartLook &) const = default;

  // Shades AProfile's bands (or clears them) and sets the tone axis's unit.
  void ApplyTo(TToneChart *AChart, TVDSLProfile AProfile, const QColor &AUSColor, const QColor &ADSColor) const;
};
