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
  bool Dark = false;
  bool operator==(const TChartLook &) const = default;

  // The colours of the directions: green and blue, lighter on dark charts
  // so that both stand out from the background.
  QColor USColor() const { return Dark ? QColor(110, 210, 110) : QColor(0, 128, 0); }
  QColor DSColor() const { return Dark ? QColor(120, 170, 255) : QColor(0, 0, 255); }
  // ADirection 0 upstream, 1 downstream, as series mark their direction.
  QColor DirectionColor(int ADirection) const { return ADirection == 0 ? USColor() : DSColor(); }
  // The plot's background, its text and axes, its grid lines.
  QColor Ground() const { return Dark ? QColor(32, 33, 36) : QColor(Qt::white); }
  QColor Ink() const { return Dark ? QColor(224, 224, 224) : QColor(Qt::black); }
  QColor Grid() const { return Dark ? QColor(80, 82, 88) : QColor(192, 192, 192); }

  // Shades AProfile's bands (or clears them), sets the tone axis's unit and
  // the chart's colours; the series "US" and "DS" take this look's colours.
  void ApplyTo(TToneChart *AChart, TVDSLProfile AProfile) const;
};
