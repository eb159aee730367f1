#include "SeriesPlotter.h"

#include "ToneBars.h"
#include "ToneChart.h"

void TSeriesPlotter::AddLine(TToneChart *AChart, const TSeriesPoints &APoints, const QString &ATitle,
                             const QColor &AColor, int AWidth) {
  QCPGraph *graph = AChart->addGraph(AChart->ToneAxis(), AChart->ValueAxis());
  graph->setName(ATitle);
  graph->setPen(QPen(AColor, AWidth));
  graph->setLineStyle(QCPGraph::lsLine);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  graph->setAntialiased(true);
  // Sampling would merge the NaN points that break the line; 512 or 8192
  // points draw fast enough without it.
  graph->setAdaptiveSampling(false);
  graph->setData(APoints.Keys, APoints.Values, true);
}

void TSeriesPlotter::Finish(TToneChart *AChart) {
  AChart->SeriesChanged();
  AChart->FitValueAxis();
  AChart->replot(QCustomPlot::rpQueuedReplot);
}

void TSeriesPlotter::PlotStatLines(TToneChart *AChart, const TDrayStatArray &AUS, const TDrayStatArray &ADS,
                                   TStatMultipliers AGroupSizes, const QColor &ADSColor, const QColor &AUSColor) {
  AddLine(AChart, StatLinePoints(AUS, AGroupSizes[0]), QStringLiteral("US"), AUSColor, StatLineWidth);
  AddLine(AChart, StatLinePoints(ADS, AGroupSizes[1]), QStringLiteral("DS"), ADSColor, StatLineWidth);
  Finish(AChart);
}

void TSeriesPlotter::PlotBinBars(TToneChart *AChart, const TDrayBinArray &AUS, const TDrayBinArray &ADS,
                                 int ACount, TBinField AField, const QColor &ADSColor, const QColor &AUSColor) {
  // Both directions share each tone's slot, upstream on the left half.
  auto *group = new QCPBarsGroup(AChart);
  group->setSpacingType(QCPBarsGroup::stAbsolute);
  group->setSpacing(0);
  const struct {
    const TDrayBinArray &Table;
    const char *Title;
    QColor Colour;
  } sides[] = {{AUS, "US", AUSColor}, {ADS, "DS", ADSColor}};
  for (const auto &side : sides) {
    auto *bars = new TToneBars(AChart->ToneAxis(), AChart->ValueAxis());
    bars->setName(QString::fromLatin1(side.Title));
    bars->setWidthType(QCPBars::wtPlotCoords);
    bars->setWidth(0.5);
    bars->setPen(Qt::NoPen);
    bars->setBrush(side.Colour);
    // Smoothing thousands of rectangles triples the drawing time.
    bars->setAntialiased(false);
    bars->setAntialiasedFill(false);
    bars->setBarsGroup(group);
    const TSeriesPoints points = BinPoints(side.Table, ACount, AField);
    bars->setData(points.Keys, points.Values, true);
  }
  Finish(AChart);
}

void TSeriesPlotter::PlotBinLine(TToneChart *AChart, const TDrayBinArray &ATable, int ACount,
                                 const QString &ATitle, const QColor &AColor) {
  AddLine(AChart, BinPoints(ATable, ACount, TBinField::SNR), ATitle, AColor, 1);
  Finish(AChart);
}
