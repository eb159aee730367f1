#pragma once
// One chart of the main window: a title, a tone axis (bottom) and a value
// axis (left), a legend, rectangle zoom, panning, a double-click that brings
// back the full view, and a tooltip with the values under the cursor.

#include <memory>

#include <qcustomplot.h>

class TToneTicker;

class TToneChart : public QCustomPlot {
  Q_OBJECT
public:
  explicit TToneChart(QWidget *AParent = nullptr);

  void SetTitle(const QString &ATitle);
  QString Title() const;

  QCPAxis *ToneAxis() const { return xAxis; }
  QCPAxis *ValueAxis() const { return yAxis; }
  TToneTicker &ToneTicker() const { return *FToneTicker; }

  // The tone axis range; also the range a double-click returns to.
  void SetToneRange(double AMin, double AMax);
  void SetToneMax(double AMax);
  void SetToneLabelStep(double AStep);
  double ToneLabelStep() const;

  // Fixed: the value axis keeps AMin..AMax whatever is drawn. Automatic: it
  // follows the data each time series are added.
  void SetValueRangeFixed(double AMin, double AMax);
  void SetValueRangeAutomatic();
  bool ValueRangeAutomatic() const { return FValueAutomatic; }
  // A fixed label step on the value axis (0 = the axis picks its own).
  void SetValueLabelStep(double AStep);
  void SetValueMinorTicks(bool AVisible);

  // Fits the value axis to the data drawn (automatic axes only).
  void FitValueAxis();
  // Back to the full tone range and the fitted or fixed value range.
  void ResetView();

  // Removes and destroys every series (and their bar groups).
  void ClearSeries();
  int SeriesCount() const { return plottableCount(); }

  // The zoom rectangle is drawn with the left button while AModifiers are
  // held; APanButton drags the view.
  void SetMouseScheme(Qt::KeyboardModifiers AZoomModifiers, Qt::MouseButton APanButton);

  // What the tooltip shows at a tone axis coordinate.
  QString HoverTextAt(double ATone);

signals:
  // The user asked for the chart's pop-up menu (mouse or keyboard).
  void MenuRequested(TToneChart *AChart, const QPoint &AGlobalPos);

protected:
  void mousePressEvent(QMouseEvent *AEvent) override;
  void mouseMoveEvent(QMouseEvent *AEvent) override;
  void mouseReleaseEvent(QMouseEvent *AEvent) override;
  void mouseDoubleClickEvent(QMouseEvent *AEvent) override;
  void contextMenuEvent(QContextMenuEvent *AEvent) override;

private:
  void StartPan(const QPoint &APos);
  void PanTo(const QPoint &APos);
  void ShowHoverText(QMouseEvent *AEvent);

  QCPTextElement *FTitle = nullptr;
  QSharedPointer<TToneTicker> FToneTickerRef;
  TToneTicker *FToneTicker = nullptr;
  QCPRange FHomeToneRange{0, 8192};
  QCPRange FFixedValueRange{0, 1};
  bool FValueAutomatic = true;
  Qt::KeyboardModifiers FZoomModifiers = Qt::NoModifier;
  Qt::MouseButton FPanButton = Qt::RightButton;
  static constexpr int DragThreshold = 4;  // pixels before a press becomes a drag
  bool FPanning = false;
  bool FMenuArmed = false;
  QPoint FMenuPressPos;
  QPoint FPanStart;
  QCPRange FPanToneStart, FPanValueStart;
};
