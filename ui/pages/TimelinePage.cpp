#include "TimelinePage.h"

#include "TimelineColumns.h"

#include <algorithm>

#include <QDateTime>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include "DirectionPair.h"

namespace {

const char *const RectTitles[] = {"Rate (Mbit/s)", "Margin (dB)", "Attenuation (dB)", "Errors per capture"};

QString TimeText(std::time_t ATime) {
  return QDateTime::fromSecsSinceEpoch(qint64(ATime), Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace

TTimelinePage::TTimelinePage(QWidget *AParent) : QWidget(AParent) {
  setObjectName(QStringLiteral("tbsTimeline"));
  auto *layout = new QVBoxLayout(this);
  lblSummary = new QLabel(this);
  lblSummary->setObjectName(QStringLiteral("lblTimelineSummary"));
  lblRange = new QLabel(this);
  lblRange->setObjectName(QStringLiteral("lblTimelineRange"));
  plot = new TSightPlot(this);
  plot->setObjectName(QStringLiteral("chartTimeline"));
  layout->addWidget(lblSummary);
  layout->addWidget(lblRange);
  layout->addWidget(plot, 1);
  SetUpRects();
  connect(plot, &QCustomPlot::mousePress, this, &TTimelinePage::MousePressed);
  connect(plot, &QCustomPlot::mouseMove, this, &TTimelinePage::MouseMoved);
  connect(plot, &QCustomPlot::mouseRelease, this, &TTimelinePage::MouseReleased);
  connect(plot, &QCustomPlot::mouseDoubleClick, this, [this] {
    SetRange(std::nullopt);
    emit RangeChosen(FRange);
  });
  ShowTimeline(nullptr);
}

void TTimelinePage::SetUpRects() {
  plot->plotLayout()->clear();
  auto *group = new QCPMarginGroup(plot);
  QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
  ticker->setDateTimeSpec(Qt::UTC);
  ticker->setDateTimeFormat(QStringLiteral("yyyy-MM-dd\nHH:mm"));
  for (int i = 0; i < 4; ++i) {
    auto *rect = new QCPAxisRect(plot);
    plot->plotLayout()->addElement(i, 0, rect);
    rect->setMarginGroup(QCP::msLeft | QCP::msRight, group);
    rect->axis(QCPAxis::atBottom)->setTicker(ticker);
    rect->axis(QCPAxis::atBottom)->setTickLabels(i == 3);
    rect->axis(QCPAxis::atLeft)->setLabel(QString::fromUtf8(RectTitles[i]));
    auto *legend = new QCPLegend;
    rect->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
    legend->setLayer(QStringLiteral("legend"));
    legend->setFont(QFont(font().family(), 8));
    legend->setBrush(QColor(255, 255, 255, 200));
    legend->setRowSpacing(0);
    Rects[i] = rect;
    FMarks[i] = new QCPItemRect(plot);
    FMarks[i]->setClipAxisRect(rect);
    for (QCPItemPosition *corner : {FMarks[i]->topLeft, FMarks[i]->bottomRight}) {
      corner->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
      corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
      corner->setAxisRect(rect);
    }
    FMarks[i]->topLeft->setCoords(0, 0);
    FMarks[i]->bottomRight->setCoords(0, 1);
    FMarks[i]->setPen(QPen(QColor(200, 140, 0), 1));
    FMarks[i]->setBrush(QColor(255, 200, 0, 50));
    FMarks[i]->setVisible(false);
  }
}

// Each chart lists its own series in its own legend.
QCPLegend *TTimelinePage::LegendOf(int ARect) const {
  return qobject_cast<QCPLegend *>(Rects[ARect]->insetLayout()->elementAt(0));
}

QCPGraph *TTimelinePage::NewGraph(int ARect, const std::vector<TTimelinePoint> &APoints, double AScale,
                                  const QString &AName) {
  QCPAxisRect *rect = Rects[ARect];
  QCPGraph *graph = plot->addGraph(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
  QVector<double> keys, values;
  for (const TTimelinePoint &point : ColumnExtremes(APoints, FSpan.From, FSpan.To, FColumns)) {
    keys.append(double(point.Time));
    values.append(point.Value * AScale);
  }
  graph->setData(keys, values, true);
  graph->setName(AName);
  graph->removeFromLegend();
  graph->addToLegend(LegendOf(ARect));
  return graph;
}

void TTimelinePage::AddSeries(int ARect, const std::vector<TTimelinePoint> &APoints, const QString &AName,
                              int ADirection, double AScale, Qt::PenStyle AStyle) {
  if (APoints.empty())
    return;
  QCPGraph *graph = NewGraph(ARect, APoints, AScale, AName);
  graph->setPen(QPen(FLook.DirectionColor(ADirection), AStyle == Qt::SolidLine ? 2 : 1, AStyle));
  graph->setProperty("toneDirection", ADirection);
  // A lone capture is still a point to see.
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, APoints.size() < 60 ? 4 : 0));
}

void TTimelinePage::AddFailures(const std::vector<std::time_t> &ATimes) {
  if (ATimes.empty())
    return;
  std::vector<TTimelinePoint> points;
  for (const std::time_t time : ColumnTimes(ATimes, FSpan.From, FSpan.To, FColumns))
    points.push_back({time, 0});
  QCPGraph *graph = NewGraph(0, points, 1, QStringLiteral("failed capture"));
  graph->setLineStyle(QCPGraph::lsNone);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCross, QPen(Qt::red, 2), Qt::NoBrush, 8));
}

void TTimelinePage::ShowTimeline(const TTimeline *ATimeline) {
  // A graph going takes its item out of the plot's own legend only: the
  // items in these would be left pointing at it.
  for (int i = 0; i < 4; ++i)
    LegendOf(i)->clearItems();
  plot->clearGraphs();
  FRange.reset();
  FHasData = ATimeline && ATimeline->Captures > 0;
  if (!FHasData) {
    lblSummary->setText(ATimeline ? QStringLiteral("The history holds no captures yet.")
                                  : QStringLiteral("No history open. \"Open history...\" on the snapshot list's "
                                                   "pop-up menu shows a database of captures over time."));
    ShowRangeMarks();
    plot->QueueReplot();
    return;
  }
  const TTimeline &t = *ATimeline;
  // A year of captures is a million points: as many as the pixel columns
  // can show are enough, and draw in a fraction of the time.
  FSpan = {t.First, t.Last};
  FColumns = std::max(plot->width(), 1);
  constexpr double mbit = 1e-6;
  for (int d = 0; d < 2; ++d) {
    const QString side = QLatin1String(DirectionLabel(DrayDirections[std::size_t(d)]));
    AddSeries(0, t.At(TTimelineFigure::ActualRate, d), side + QStringLiteral(" actual"), d, mbit, Qt::SolidLine);
    AddSeries(0, t.At(TTimelineFigure::AttainableRate, d), side + QStringLiteral(" attainable"), d, mbit,
              Qt::DashLine);
    AddSeries(1, t.At(TTimelineFigure::SNRMargin, d), side, d, 1, Qt::SolidLine);
    AddSeries(2, t.At(TTimelineFigure::Attenuation, d), side, d, 1, Qt::SolidLine);
    AddSeries(3, t.At(TTimelineFigure::CRCGrowth, d), side + QStringLiteral(" CRC"), d, 1, Qt::SolidLine);
    AddSeries(3, t.At(TTimelineFigure::ESGrowth, d), side + QStringLiteral(" ES"), d, 1, Qt::DashLine);
  }
  AddFailures(t.Failures);
  // A single capture still gets an hour of axis around it.
  const double pad = std::max(60.0, double(t.Last - t.First) * 0.02);
  for (QCPAxisRect *rect : Rects) {
    rect->axis(QCPAxis::atBottom)->setRange(double(t.First) - pad, double(t.Last) + pad);
    // From zero, with room above for the legend; an axis of zeros shows 0 to 1.
    double lowest = 0, highest = 0;
    for (QCPGraph *graph : rect->graphs())
      for (const QCPGraphData &point : *graph->data()) {
        lowest = std::min(lowest, point.value);
        highest = std::max(highest, point.value);
      }
    rect->axis(QCPAxis::atLeft)->setRange(lowest * 1.1, highest > 0 ? highest * 1.25 : 1);
  }
  lblSummary->setText(QStringLiteral("%1 captures (%2 failed) from %3 to %4 UTC")
                          .arg(t.Captures)
                          .arg(t.Failures.size())
                          .arg(TimeText(t.First), TimeText(t.Last)));
  ShowRangeMarks();
  plot->QueueReplot();
}

void TTimelinePage::SetLook(const TChartLook &ALook) {
  FLook = ALook;
  const QColor ground = ALook.Ground();
  const QColor ink = ALook.Ink();
  const QColor grid = ALook.Grid();
  plot->setBackground(ground);
  for (int i = 0; i < 4; ++i) {
    for (QCPAxis *axis : Rects[i]->axes()) {
      axis->setBasePen(QPen(ink));
      axis->setTickPen(QPen(ink));
      axis->setSubTickPen(QPen(ink));
      axis->setTickLabelColor(ink);
      axis->setLabelColor(ink);
      axis->grid()->setPen(QPen(grid, 0, Qt::DotLine));
    }
    QCPLegend *legend = LegendOf(i);
    legend->setTextColor(ink);
    legend->setBorderPen(QPen(ink));
    QColor veil = ground;  // the series show through where the legend lies over them
    veil.setAlpha(200);
    legend->setBrush(veil);
  }
  for (int i = 0; i < plot->graphCount(); ++i) {
    QCPGraph *graph = plot->graph(i);
    const QVariant direction = graph->property("toneDirection");
    if (!direction.isValid())
      continue;
    QPen pen = graph->pen();
    pen.setColor(ALook.DirectionColor(direction.toInt()));
    graph->setPen(pen);
  }
  plot->QueueReplot();
}

void TTimelinePage::SetRange(std::optional<TTimeRange> ARange) {
  if (ARange && ARange->To < ARange->From)
    std::swap(ARange->From, ARange->To);
  FRange = ARange;
  ShowRangeMarks();
  plot->QueueReplot();
}

void TTimelinePage::ShowRangeMarks() {
  for (QCPItemRect *mark : FMarks) {
    mark->setVisible(FRange.has_value());
    if (FRange) {
      mark->topLeft->setCoords(double(FRange->From), 0);
      mark->bottomRight->setCoords(double(FRange->To), 1);
    }
  }
  if (!FHasData)
    lblRange->clear();
  else if (FRange)
    lblRange->setText(QStringLiteral("Envelope of %1 to %2 UTC on the SNR and bit-loading charts (double-click for "
                                     "all captures)")
                          .arg(TimeText(FRange->From), TimeText(FRange->To)));
  else
    lblRange->setText(QStringLiteral("Envelope of all captures on the SNR and bit-loading charts (drag across the "
                                     "charts to choose a time range)"));
}

std::time_t TTimelinePage::TimeAtPixel(int AX) const {
  return std::time_t(Rects[0]->axis(QCPAxis::atBottom)->pixelToCoord(AX));
}

void TTimelinePage::MousePressed(QMouseEvent *AEvent) {
  if (FHasData && AEvent->button() == Qt::LeftButton) {
    FDragStart = AEvent->pos().x();
    FRangeBeforeDrag = FRange;
  }
}

void TTimelinePage::MouseMoved(QMouseEvent *AEvent) {
  if (FDragStart && std::abs(AEvent->pos().x() - *FDragStart) >= DragThreshold)
    SetRange(TTimeRange{TimeAtPixel(*FDragStart), TimeAtPixel(AEvent->pos().x())});
}

void TTimelinePage::MouseReleased(QMouseEvent *AEvent) {
  if (!FDragStart)
    return;
  const int start = *FDragStart;
  FDragStart.reset();
  // A click without a drag chooses nothing.
  if (std::abs(AEvent->pos().x() - start) < DragThreshold) {
    SetRange(FRangeBeforeDrag);
    return;
  }
  SetRange(TTimeRange{TimeAtPixel(start), TimeAtPixel(AEvent->pos().x())});
  emit RangeChosen(FRange);
}
