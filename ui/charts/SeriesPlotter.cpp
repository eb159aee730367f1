#include "SeriesPlotter.h"

#include "ToneBars.h"
#include "ToneChart.h"

QCPGraph *TSeriesPlotter::AddLine(TToneChart *AChart, const TSeriesPoints &APoints, const QString &ATitle,
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
  return graph;
}

void TSeriesPlotter::Finish(TToneChart *AChart) {
  AChart->SeriesChanged();
  AChart->FitValueAxis();
  AChart->QueueReplot();
}

std::array<QCPBars *, 2> TSeriesPlotter::AddBarPair(TToneChart *AChart, const TSeriesPoints &AUS,
                                                    const TSeriesPoints &ADS, const QString &ANameUS,
                                                    const QString &ANameDS, const QColor &AUSColor,
                                                    const QColor &ADSColor) {
  auto *group = new QCPBarsGroup(AChart);
  group->setSpacingType(QCPBarsGroup::stAbsolute);
  group->setSpacing(0);
  const struct {
    const TSeriesPoints &Points;
    const QString &Name;
    QColor Colour;
  } sides[] = {{AUS, ANameUS, AUSColor}, {ADS, ANameDS, ADSColor}};
  std::array<QCPBars *, 2> pair{};
  for (std::size_t d = 0; d < 2; ++d) {
    auto *bars = new TToneBars(AChart->ToneAxis(), AChart->ValueAxis());
    bars->setName(sides[d].Name);
    bars->setWidthType(QCPBars::wtPlotCoords);
    bars->setWidth(0.5);
    bars->setPen(Qt::NoPen);
    bars->setBrush(sides[d].Colour);
    // Smoothing thousands of rectangles triples the drawing time.
    bars->setAntialiased(false);
    bars->setAntialiasedFill(false);
    bars->setBarsGroup(group);
    bars->setData(sides[d].Points.Keys, sides[d].Points.Values, true);
    pair[d] = bars;
  }
  return pair;
}

