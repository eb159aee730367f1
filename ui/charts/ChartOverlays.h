#pragma once
// What a chart draws besides the snapshot shown: another snapshot to compare
// with (thinner and lighter), the difference from it, and the range of a line
// over many captures (a band from lowest to highest with the mean).
//
// Each series carries its direction and role as properties, so that the
// chart look can colour it from the direction's colour whatever its name.

#include <QString>

#include "SeriesData.h"

class QCPAbstractPlottable;
class TToneChart;

enum class TOverlayRole { Reference, Difference, Envelope, EnvelopeMean };

class TChartOverlays {
public:
  // ADirection: 0 upstream, 1 downstream. ASteps: one flat step per tone,
  // as bars read, rather than a line from tone to tone.
  static void AddReference(TToneChart *AChart, const TSeriesPoints &APoints, int ADirection, const QString &AName,
                           bool ASteps);
  static void AddDifferenceLine(TToneChart *AChart, const TSeriesPoints &APoints, int ADirection,
                                const QString &AName);
  static void AddDifferenceBars(TToneChart *AChart, const TSeriesPoints &AUS, const TSeriesPoints &ADS,
                                const QString &ANameUS, const QString &ANameDS);
  // Under the snapshot's own series.
  static void AddEnvelope(TToneChart *AChart, const TEnvelopePoints &APoints, int ADirection, const QString &AName,
                          bool ASteps);

  static void MarkOverlay(QCPAbstractPlottable *ASeries, int ADirection, TOverlayRole ARole);
  // The role and direction MarkOverlay gave, if any.
  static bool OverlayOf(const QCPAbstractPlottable *ASeries, int &ADirection, TOverlayRole &ARole);

  static constexpr const char *EnvelopeLayer = "envelope";
};
