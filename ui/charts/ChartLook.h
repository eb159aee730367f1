#pragma once
// How the user likes the charts: the band plan shaded or not, the tone axis
// in tone numbers or in MHz. Applied after a snapshot is drawn, because both
// follow its profile.

#include <optional>

#include <QColor>

#include "DrayKindState.h"

#include "VDSLProfile.h"

class QCPAbstractPlottable;
class TToneChart;

struct TChartLook {
  bool BandPlan = true;
  bool FrequencyAxis = false;
  bool Dark = false;
  // The per-bin SNR charts show only bins 0 to 511, for routers that list
  // their SNR there whatever the profile.
  bool First512Bins = false;
  // Direction colours a caller chose for one drawing; unset, the look's own.
  std::optional<QColor> ChosenUSColor;
  std::optional<QColor> ChosenDSColor;
  bool operator==(const TChartLook &) const = default;

  // The colours of the directions: green and blue, lighter on dark charts
  // so that both stand out from the background.
  QColor USColor() const { return ChosenUSColor.value_or(Dark ? QColor(110, 210, 110) : QColor(0, 128, 0)); }
  QColor DSColor() const { return ChosenDSColor.value_or(Dark ? QColor(120, 170, 255) : QColor(0, 0, 255)); }
  // ADirection 0 upstream, 1 downstream, as series mark their direction.
  QColor DirectionColor(int ADirection) const { return ADirection == 0 ? USColor() : DSColor(); }
  QColor DirectionColor(TDirection ADirection) const { return DirectionColor(int(IndexOf(ADirection))); }
  // This look drawing the directions in the given colours.
  TChartLook WithDirectionColours(const QColor &ADSColor, const QColor &AUSColor) const;
  // The plot's background, its text and axes, its grid lines.
  QColor Ground() const { return Dark ? QColor(32, 33, 36) : QColor(Qt::white); }
  QColor Ink() const { return Dark ? QColor(224, 224, 224) : QColor(Qt::black); }
  QColor Grid() const { return Dark ? QColor(80, 82, 88) : QColor(192, 192, 192); }

  // Shades AProfile's bands (or clears them), sets the tone axis's unit and
  // the chart's colours; every series marked with a direction takes that
  // direction's colour.
  void ApplyTo(TToneChart *AChart, TVDSLProfile AProfile) const;

  // The direction a series shows, which ApplyTo colours it by.
  static void MarkDirection(QCPAbstractPlottable *ASeries, int ADirection);
};
