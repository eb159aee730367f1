#include "ChartOverlays.h"

#include "ToneBars.h"
#include "ToneChart.h"

namespace {

QCPGraph *NewGraph(TToneChart *AChart, const TSeriesPoints &APoints, const QString &AName, bool ASteps) {
  QCPGraph *graph = AChart->addGraph(AChart->ToneAxis(), AChart->ValueAxis());
  graph->setName(AName);
  graph->setLineStyle(ASteps ? QCPGraph::lsStepCenter : QCPGraph::lsLine);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  graph->setAdaptiveSampling(false);
  graph->setData(APoints.Keys, APoints.Values, true);
  return graph;
}

QCPLayer *EnvelopeLayerOf(TToneChart *AChart) {
  if (QCPLayer *layer = AChart->layer(QString::fromLatin1(TChartOverlays::EnvelopeLayer)))
    return layer;
  AChart->addLayer(QString::fromLatin1(TChartOverlays::EnvelopeLayer), AChart->layer(QStringLiteral("main")),
                   QCustomPlot::limBelow);
  return AChart->layer(QString::fromLatin1(TChartOverlays::EnvelopeLayer));
}

}  // namespace

void TChartOverlays::MarkOverlay(QCPAbstractPlottable *ASeries, int ADirection, TOverlayRole ARole) {
  ASeries->setProperty("toneDirection", ADirection);
  ASeries->setProperty("overlayRole", int(ARole));
}

bool TChartOverlays::OverlayOf(const QCPAbstractPlottable *ASeries, int &ADirection, TOverlayRole &ARole) {
  const QVariant role = ASeries->property("overlayRole");
  if (!role.isValid())
    return false;
  ADirection = ASeries->property("toneDirection").toInt();
  ARole = TOverlayRole(role.toInt());
  return true;
}

void TChartOverlays::AddReference(TToneChart *AChart, const TSeriesPoints &APoints, int ADirection,
                                  const QString &AName, bool ASteps) {
  QCPGraph *graph = NewGraph(AChart, APoints, AName, ASteps);
  graph->setPen(QPen(Qt::gray, 1));
  graph->setAntialiased(!ASteps);
  MarkOverlay(graph, ADirection, TOverlayRole::Reference);
}

void TChartOverlays::AddDifferenceLine(TToneChart *AChart, const TSeriesPoints &APoints, int ADirection,
                                       const QString &AName) {
  QCPGraph *graph = NewGraph(AChart, APoints, AName, false);
  graph->setPen(QPen(Qt::gray, 1));
  graph->setAntialiased(true);
  MarkOverlay(graph, ADirection, TOverlayRole::Difference);
}

void TChartOverlays::AddDifferenceBars(TToneChart *AChart, const TSeriesPoints &AUS, const TSeriesPoints &ADS,
                                       const QString &ANameUS, const QString &ANameDS) {
  auto *group = new QCPBarsGroup(AChart);
  group->setSpacingType(QCPBarsGroup::stAbsolute);
  group->setSpacing(0);
  const struct {
    const TSeriesPoints &Points;
    const QString &Name;
  } sides[] = {{AUS, ANameUS}, {ADS, ANameDS}};
  for (int direction = 0; direction < 2; ++direction) {
    auto *bars = new TToneBars(AChart->ToneAxis(), AChart->ValueAxis());
    bars->setName(sides[direction].Name);
    bars->setWidthType(QCPBars::wtPlotCoords);
    bars->setWidth(0.5);
    bars->setPen(Qt::NoPen);
    bars->setBrush(Qt::gray);
    bars->setAntialiased(false);
    bars->setAntialiasedFill(false);
    bars->setBarsGroup(group);
    bars->setData(sides[direction].Points.Keys, sides[direction].Points.Values, true);
    MarkOverlay(bars, direction, TOverlayRole::Difference);
  }
}

void TChartOverlays::AddEnvelope(TToneChart *AChart, const TEnvelopePoints &APoints, int ADirection,
                                 const QString &AName, bool ASteps) {
  QCPLayer *layer = EnvelopeLayerOf(AChart);
  QCPGraph *low = NewGraph(AChart, APoints.Min, QString(), ASteps);
  QCPGraph *high = NewGraph(AChart, APoints.Max, AName, ASteps);
  QCPGraph *mean = NewGraph(AChart, APoints.Mean, QString(), ASteps);
  for (QCPGraph *graph : {low, high, mean}) {
    graph->setLayer(layer);
    graph->setAntialiased(false);
  }
  // The band is the fill between the highest and the lowest; only its
  // entry in the legend names it.
  low->setPen(Qt::NoPen);
  high->setPen(Qt::NoPen);
  high->setChannelFillGraph(low);
  high->setBrush(Qt::gray);
  mean->setPen(QPen(Qt::gray, 1, Qt::DashLine));
  MarkOverlay(low, ADirection, TOverlayRole::Envelope);
  MarkOverlay(high, ADirection, TOverlayRole::Envelope);
  MarkOverlay(mean, ADirection, TOverlayRole::EnvelopeMean);
  low->removeFromLegend();
  mean->removeFromLegend();
}
