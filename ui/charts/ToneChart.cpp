#include "ToneChart.h"

#include <cmath>
#include <limits>

#include <QToolTip>

#include "ChartLook.h"
#include "ToneTicker.h"
#include "ToneZoom.h"

namespace {

// A notice is set in grey, softer than the axes' text, on either ground.
QColor NoticeColour(bool ADark) { return ADark ? QColor(176, 176, 176) : QColor(96, 96, 96); }

void StyleAxis(QCPAxis *AAxis) {
  QPen base(Qt::black, 0, Qt::DotLine);
  AAxis->setBasePen(base);
  AAxis->grid()->setPen(QPen(TChartLook().Grid(), 0, Qt::SolidLine));
  AAxis->grid()->setSubGridVisible(false);
  AAxis->setSubTicks(true);
}

// The value of one series at a tone: the data point nearest to it.
double ValueNear(QCPAbstractPlottable *APlottable, double ATone) {
  auto *iface = APlottable->interface1D();
  if (!iface || iface->dataCount() == 0)
    return std::numeric_limits<double>::quiet_NaN();
  int best = iface->findBegin(ATone, true);
  const int next = std::min(best + 1, iface->dataCount() - 1);
  if (std::abs(iface->dataMainKey(next) - ATone) < std::abs(iface->dataMainKey(best) - ATone))
    best = next;
  return iface->dataMainValue(best);
}

}  // namespace

TToneChart::TToneChart(QWidget *AParent) : TSightPlot(AParent) {
  setBackground(Qt::white);
  setAntialiasedElements(QCP::aeAll);
  setNotAntialiasedElements(QCP::aePlottables);  // set per series instead
  plotLayout()->insertRow(0);
  QFont titleFont = font();
  titleFont.setBold(true);
  if (titleFont.pointSizeF() > 0)
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
  FTitle = new QCPTextElement(this, QString(), titleFont);
  FTitle->setTextColor(Qt::black);
  plotLayout()->addElement(0, 0, FTitle);

  FToneTicker = new TToneTicker();
  FToneTickerRef = QSharedPointer<TToneTicker>(FToneTicker);
  FToneTicker->setTickStep(256);
  xAxis->setTicker(FToneTickerRef);
  StyleAxis(xAxis);
  StyleAxis(yAxis);
  xAxis2->setVisible(false);
  yAxis2->setVisible(false);
  PlaceLegendAbovePlot();
  setSelectionRectMode(QCP::srmNone);
  setMouseTracking(true);
  SetToneRange(0, 8192);
}

// The legend stands in its own row between the title and the plot, at the
// right, so that it never covers data; the row is only as high as the
// legend, and a chart without series shows no legend at all.
void TToneChart::PlaceLegendAbovePlot() {
  axisRect()->insetLayout()->take(legend);
  axisRect()->insetLayout()->simplify();
  auto *row = new QCPLayoutGrid;
  plotLayout()->insertRow(1);
  plotLayout()->addElement(1, 0, row);
  plotLayout()->setRowStretchFactor(1, 0.001);
  row->addElement(0, 0, new QCPLayoutElement(this));
  row->addElement(0, 1, legend);
  row->setColumnStretchFactor(1, 0.001);
  row->setMargins(QMargins(0, 0, 0, 0));
  legend->setFillOrder(QCPLegend::foColumnsFirst);
  legend->setBorderPen(Qt::NoPen);
  legend->setBrush(Qt::NoBrush);
  legend->setMargins(QMargins(6, 0, 6, 0));
  legend->setVisible(false);
}

void TToneChart::SeriesChanged() {
  legend->setVisible(plottableCount() > 0);
  // Beside a compared snapshot or a range the entries come in pairs (US,
  // DS) with long names: one pair per row keeps them readable.
  legend->setWrap(legend->itemCount() > 2 ? 2 : 0);
  legend->setFillOrder(QCPLegend::foColumnsFirst, true);
}

void TToneChart::SetNotice(const QString &AText) {
  if (!FNotice) {
    FNotice = new QCPItemText(this);
    FNotice->setClipToAxisRect(true);
    FNotice->position->setType(QCPItemPosition::ptAxisRectRatio);
    FNotice->position->setCoords(0.5, 0.5);
    FNotice->setPositionAlignment(Qt::AlignCenter);
  }
  FNotice->setColor(NoticeColour(FDark));
  FNotice->setText(AText);
  QueueReplot();
}

QString TToneChart::Notice() const {
  return FNotice ? FNotice->text() : QString();
}

void TToneChart::SetFrequencyAxis(double ASpacingHz) {
  const QString MHzTitle = QString::fromLatin1(FrequencyAxisTitle);
  // Setting a chart up gives the axis its tone title again; that title is
  // the one to bring back later.
  if (xAxis->label() != MHzTitle)
    FToneAxisTitle = xAxis->label();
  FToneTicker->SetFrequencySpacing(ASpacingHz);
  xAxis->setLabel(ASpacingHz > 0 ? MHzTitle : FToneAxisTitle);
  QueueReplot();
}

void TToneChart::SetDark(bool ADark) {
  FDark = ADark;
  TChartLook look;
  look.Dark = ADark;
  const QColor ground = look.Ground();
  const QColor ink = look.Ink();
  setBackground(ground);
  FTitle->setTextColor(ink);
  legend->setTextColor(ink);
  for (QCPAxis *axis : {xAxis, yAxis}) {
    axis->setBasePen(QPen(ink, 0, Qt::DotLine));
    axis->setTickPen(QPen(ink));
    axis->setSubTickPen(QPen(ink));
    axis->setTickLabelColor(ink);
    axis->setLabelColor(ink);
    axis->grid()->setPen(QPen(look.Grid(), 0, Qt::SolidLine));
  }
  if (FNotice)
    FNotice->setColor(NoticeColour(ADark));
  QueueReplot();
}

bool TToneChart::FrequencyAxis() const { return FToneTicker->FrequencySpacing() > 0; }

void TToneChart::SetTitle(const QString &ATitle) {
  FTitle->setText(ATitle);
}

QString TToneChart::Title() const {
  return FTitle->text();
}

void TToneChart::SetToneRange(double AMin, double AMax) {
  if (AMin > AMax)
    std::swap(AMin, AMax);
  FHomeToneRange = QCPRange(AMin, AMax);
  xAxis->setRange(FHomeToneRange);
}

void TToneChart::SetToneMax(double AMax) {
  SetToneRange(FHomeToneRange.lower, AMax);
}

void TToneChart::SetToneLabelStep(double AStep) {
  FToneTicker->setTickStep(AStep);
}

double TToneChart::ToneLabelStep() const {
  return FToneTicker->tickStep();
}

void TToneChart::SetValueRangeFixed(double AMin, double AMax) {
  if (AMin > AMax)
    std::swap(AMin, AMax);
  FValueAutomatic = false;
  FFixedValueRange = QCPRange(AMin, AMax);
  yAxis->setRange(FFixedValueRange);
}

void TToneChart::SetValueRangeAutomatic() {
  FValueAutomatic = true;
  FitValueAxis();
}

void TToneChart::SetValueLabelStep(double AStep) {
  if (AStep <= 0) {
    yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    return;
  }
  auto ticker = QSharedPointer<TToneTicker>(new TToneTicker);
  ticker->SetAlternateRows(false);
  ticker->setTickStep(AStep);
  yAxis->setTicker(ticker);
}

void TToneChart::SetValueMinorTicks(bool AVisible) {
  yAxis->setSubTicks(AVisible);
}

void TToneChart::FitValueAxis() {
  if (!FValueAutomatic) {
    yAxis->setRange(FFixedValueRange);
    return;
  }
  bool found = false;
  QCPRange range;
  for (int i = 0; i < plottableCount(); ++i) {
    bool here = false;
    const QCPRange r = plottable(i)->getValueRange(here);
    if (!here)
      continue;
    range = found ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
    found = true;
  }
  if (!found)
    return;
  // Bars start at 0, and a flat series still needs an axis with some height.
  if (range.size() == 0)
    range = QCPRange(range.lower - 1, range.upper + 1);
  const double margin = range.size() * 0.05;
  yAxis->setRange(range.lower - margin, range.upper + margin);
}

void TToneChart::ResetView() {
  xAxis->setRange(FHomeToneRange);
  FitValueAxis();
  replot();
}

void TToneChart::ClearSeries() {
  clearPlottables();
  for (QCPBarsGroup *group : findChildren<QCPBarsGroup *>(QString(), Qt::FindDirectChildrenOnly))
    delete group;
  if (FNotice) {
    removeItem(FNotice);
    FNotice = nullptr;
  }
  SeriesChanged();
}

void TToneChart::SetMouseScheme(Qt::KeyboardModifiers AZoomModifiers, Qt::MouseButton APanButton) {
  FZoomModifiers = AZoomModifiers;
  FPanButton = APanButton;
}

QString TToneChart::NavigationHint() const {
  const QString zoom = FZoomModifiers == Qt::ControlModifier ? QStringLiteral("Ctrl+drag") : QStringLiteral("drag");
  const QString pan = FPanButton == Qt::MiddleButton ? QStringLiteral("middle-drag") : QStringLiteral("right-drag");
  return QStringLiteral("Zoom: wheel or %1 \u00b7 Pan: %2 \u00b7 Full view: double-click").arg(zoom, pan);
}

void TToneChart::ZoomToneAxis(double APixelX, double AFactor) {
  const QCPRange view = xAxis->range();
  const TToneSpan zoomed = ZoomToneSpan({view.lower, view.upper}, xAxis->pixelToCoord(APixelX), AFactor,
                                        {FHomeToneRange.lower, FHomeToneRange.upper});
  xAxis->setRange(zoomed.Lower, zoomed.Upper);
  QueueReplot();
}

QString TToneChart::HoverTextAt(double ATone) {
  QList<QPair<QString, double>> values;
  for (int i = 0; i < plottableCount(); ++i)
    values.append({plottable(i)->name(), ValueNear(plottable(i), ATone)});
  return FormatHoverText(static_cast<int>(std::lround(std::max(0.0, ATone))), FHoverFormat, values);
}

void TToneChart::mousePressEvent(QMouseEvent *AEvent) {
  // A right click that does not drag opens the pop-up menu on release, on
  // every platform alike, so that a right drag can pan instead.
  if (AEvent->button() == Qt::RightButton) {
    FMenuArmed = true;
    FMenuPressPos = AEvent->pos();
  }
  if (AEvent->button() == FPanButton) {
    StartPan(AEvent->pos());
    AEvent->accept();
    return;
  }
  const bool zoom = AEvent->button() == Qt::LeftButton &&
                    (AEvent->modifiers() & FZoomModifiers) == FZoomModifiers;
  setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
  QCustomPlot::mousePressEvent(AEvent);
}

void TToneChart::mouseMoveEvent(QMouseEvent *AEvent) {
  if (FMenuArmed && (AEvent->pos() - FMenuPressPos).manhattanLength() >= DragThreshold)
    FMenuArmed = false;
  if (FPanning) {
    PanTo(AEvent->pos());
    return;
  }
  QCustomPlot::mouseMoveEvent(AEvent);
  if (AEvent->buttons() == Qt::NoButton)
    ShowHoverText(AEvent);
}

void TToneChart::mouseReleaseEvent(QMouseEvent *AEvent) {
  if (AEvent->button() == Qt::RightButton && FMenuArmed) {
    FMenuArmed = false;
    emit MenuRequested(this, AEvent->globalPosition().toPoint());
  }
  if (FPanning && AEvent->button() == FPanButton) {
    FPanning = false;
    return;
  }
  QCustomPlot::mouseReleaseEvent(AEvent);
}

void TToneChart::mouseDoubleClickEvent(QMouseEvent *AEvent) {
  if (AEvent->button() == Qt::LeftButton) {
    ResetView();
    return;
  }
  QCustomPlot::mouseDoubleClickEvent(AEvent);
}

void TToneChart::wheelEvent(QWheelEvent *AEvent) {
  const double notches = AEvent->angleDelta().y() / 120.0;
  if (notches == 0) {
    AEvent->ignore();
    return;
  }
  ZoomToneAxis(AEvent->position().x(), std::pow(WheelZoomFactor, notches));
  AEvent->accept();
}

void TToneChart::contextMenuEvent(QContextMenuEvent *AEvent) {
  AEvent->accept();
  // The mouse's menu request is handled on release (above); the keyboard's
  // opens the menu at once.
  if (AEvent->reason() != QContextMenuEvent::Mouse)
    emit MenuRequested(this, AEvent->globalPos());
}

void TToneChart::StartPan(const QPoint &APos) {
  FPanning = true;
  FPanStart = APos;
  FPanToneStart = xAxis->range();
  FPanValueStart = yAxis->range();
}

void TToneChart::PanTo(const QPoint &APos) {
  if (FMenuArmed && FPanButton == Qt::RightButton)
    return;  // not yet a drag
  const double dx = xAxis->pixelToCoord(FPanStart.x()) - xAxis->pixelToCoord(APos.x());
  const double dy = yAxis->pixelToCoord(FPanStart.y()) - yAxis->pixelToCoord(APos.y());
  // Each move shifts the view by the distance since the previous one.
  xAxis->setRange(FPanToneStart.lower + dx, FPanToneStart.upper + dx);
  yAxis->setRange(FPanValueStart.lower + dy, FPanValueStart.upper + dy);
  FPanStart = APos;
  FPanToneStart = xAxis->range();
  FPanValueStart = yAxis->range();
  QueueReplot();
}

void TToneChart::ShowHoverText(QMouseEvent *AEvent) {
  const QPointF pos = AEvent->position();
  if (plottableCount() == 0 || !axisRect()->rect().contains(pos.toPoint())) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(AEvent->globalPosition().toPoint(), HoverTextAt(xAxis->pixelToCoord(pos.x())), this);
}
