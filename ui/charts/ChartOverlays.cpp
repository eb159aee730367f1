#include "ChartOverlays.h"

#include "ChartLook.h"

#include "SeriesPlotter.h"
#include "ToneChart.h"

namespace {

// A thin grey line; the chart look gives it its direction's colour.
QCPGraph *NewGraph(TToneChart *AChart, const TSeriesPoints &APoints, const QString &AName, bool ASteps) {
  QCPGraph *graph = TSeriesPlotter::AddLine(AChart, APoints, AName, Qt::gray, 1);
  if (ASteps) {
    graph->setLineStyle(QCPGraph::lsStepCenter);
    graph->setAntialiased(false);
  }
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
  TChartLook::MarkDirection(ASeries, ADirection);
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
  MarkOverlay(NewGraph(AChart, APoints, AName, ASteps), ADirection, TOverlayRole::Reference);
}

void TChartOverlays::AddDifferenceLine(TToneChart *AChart, const TSeriesPoints &APoints, int ADirection,
                                       const QString &AName) {
  MarkOverlay(NewGraph(AChart, APoints, AName, false), ADirection, TOverlayRole::Difference);
}

void TChartOverlays::AddDifferenceBars(TToneChart *AChart, const TSeriesPoints &AUS, const TSeriesPoints &ADS,
                                       const QString &ANameUS, const QString &ANameDS) {
  const std::array<QCPBars *, 2> pair =
      TSeriesPlotter::AddBarPair(AChart, AUS, ADS, ANameUS, ANameDS, Qt::gray, Qt::gray);
  for (int direction = 0; direction < 2; ++direction)
    MarkOverlay(pair[std::size_t(direction)], direction, TOverlayRole::Difference);
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
