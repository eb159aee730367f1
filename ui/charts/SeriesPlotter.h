#pragma once
// The series a chart is drawn with: lines, and bar series side by side, with
// the finish every chart gets once its series are in. Only ever adds.

#include <array>

#include <QColor>

#include "SeriesData.h"

class QCPBars;
class QCPGraph;
class TToneChart;

class TSeriesPlotter {
public:
  static constexpr int StatLineWidth = 2;

  // One line, and a pair of bar series sharing each tone's slot, upstream on
  // the left half.
  static QCPGraph *AddLine(TToneChart *AChart, const TSeriesPoints &APoints, const QString &ATitle,
                           const QColor &AColor, int AWidth);
  static std::array<QCPBars *, 2> AddBarPair(TToneChart *AChart, const TSeriesPoints &AUS, const TSeriesPoints &ADS,
                                             const QString &ANameUS, const QString &ANameDS, const QColor &AUSColor,
                                             const QColor &ADSColor);
  // After the series: the legend, the value axis fitted, a replot.
  static void Finish(TToneChart *AChart);
};
