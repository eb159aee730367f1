#pragma once
// The upstream and downstream bands of a profile shaded behind a chart's
// series, each labelled with its name (US0, DS1, ...) at the top of the plot.
// Like marks they stand apart from the series: drawing or clearing series
// leaves them; only Set and Clear replace them.

#include <optional>
#include <vector>

#include <QColor>

#include "BandPlan.h"

class TToneChart;

struct TShadedBand {
  QString Name;
  double FirstTone = 0;  // the band covers FirstTone - 0.5 .. LastTone + 0.5
  double LastTone = 0;
  bool operator==(const TShadedBand &) const = default;
};

class TToneBands {
public:
  // Replaces the bands of AChart with ABands, upstream ones tinted AUSColor,
  // downstream ones ADSColor, on a plot of AGround.
  static void Set(TToneChart *AChart, const std::vector<TPlanBand> &ABands, const QColor &AUSColor,
                  const QColor &ADSColor, const QColor &AGround);
  // A band's fill: ATint over AGround, mixed once here so that the band is
  // filled opaque (a see-through fill of the whole plot costs a blend per
  // pixel on every replot; nothing lies under a band but the ground).
  static QColor BandFill(const QColor &ATint, const QColor &AGround);
  static void Clear(TToneChart *AChart);
  // The bands AChart shows, read from its items, in tone order.
  static std::vector<TShadedBand> Of(const TToneChart *AChart);

  // How much of a direction's colour shows through a band (of 255).
  static constexpr int Tint = 28;

  // Where a band's label is centred, in pixels along the tone axis: in the
  // middle of the part of the band in view, moved in from the plot's edges
  // far enough for a label AHalfWidth either side of its centre to show
  // whole. Empty when no part of the band is in view.
  static std::optional<double> LabelCentre(double ABandLeft, double ABandRight, double APlotLeft,
                                           double APlotRight, double AHalfWidth);
};
