#pragma once
// Adds a snapshot's series to a chart: two lines or two side-by-side bar
// series, upstream ("US") first, downstream ("DS") second. Plots only add;
// callers clear the chart before they redraw it.

#include <array>

#include <QColor>

#include "SeriesData.h"
#include "StatValue.h"

class QCPBars;
class QCPGraph;
class TToneChart;

class TSeriesPlotter {
public:
  // HLog, QLN and SNR: 512 points per direction at i * group size.
  static void PlotStatLines(TToneChart *AChart, const TDrayStatArray &AUS, const TDrayStatArray &ADS,
                            TStatMultipliers AGroupSizes, const QColor &ADSColor, const QColor &AUSColor);
  // Bit loading and gain: one bar per tone, ACount tones per direction.
  static void PlotBinBars(TToneChart *AChart, const TDrayBinArray &AUS, const TDrayBinArray &ADS, int ACount,
                          TBinField AField, const QColor &ADSColor, const QColor &AUSColor);
  // One per-bin SNR line of ACount bins on its own chart.
  static void PlotBinLine(TToneChart *AChart, const TDrayBinArray &ATable, int ACount, const QString &ATitle,
                          const QColor &AColor);

  static constexpr int StatLineWidth = 2;

  // The pieces the plots above are made of, for other series drawn the same
  // way: one line, and a pair of bar series sharing each tone's slot,
  // upstream on the left half.
  static QCPGraph *AddLine(TToneChart *AChart, const TSeriesPoints &APoints, const QString &ATitle,
                           const QColor &AColor, int AWidth);
  static std::array<QCPBars *, 2> AddBarPair(TToneChart *AChart, const TSeriesPoints &AUS, const TSeriesPoints &ADS,
                                             const QString &ANameUS, const QString &ANameDS, const QColor &AUSColor,
                                             const QColor &ADSColor);
  // After the series: the legend, the value axis fitted, a replot.
  static void Finish(TToneChart *AChart);
};
