#pragma once
// One chart of the main window: a title, a tone axis (bottom) and a value
// axis (left), a legend, rectangle zoom, wheel zoom of the tone axis,
// panning, a double-click that brings back the full view, and a tooltip with
// the values under the cursor.

#include <memory>

#include "SightPlot.h"

#include "HoverText.h"

class TToneTicker;

class TToneChart : public TSightPlot {
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

  // Removes and destroys every series (and their bar groups) and the notice.
  void ClearSeries();
  // Shows the legend when there are series to list, hides it otherwise.
  void SeriesChanged();
  // A line of text in the middle of the plot, in place of series that have
  // nothing to show; cleared with the series.
  void SetNotice(const QString &AText);
  QString Notice() const;
  int SeriesCount() const { return plottableCount(); }

  // The zoom rectangle is drawn with the left button while AModifiers are
  // held; APanButton drags the view.
  void SetMouseScheme(Qt::KeyboardModifiers AZoomModifiers, Qt::MouseButton APanButton);
  // One line that tells the user how to zoom, pan and get the full view.
  QString NavigationHint() const;

  // Zooms the tone axis around the tone at pixel APixelX (AFactor below 1
  // zooms in), as the mouse wheel does.
  void ZoomToneAxis(double APixelX, double AFactor);
  // Each notch of the wheel shows this part of the tones it showed before.
  static constexpr double WheelZoomFactor = 0.8;

  // What the tooltip shows at a tone axis coordinate, and how it says it.
  QString HoverTextAt(double ATone);
  void SetHoverFormat(const THoverFormat &AFormat) { FHoverFormat = AFormat; }
  const THoverFormat &HoverFormat() const { return FHoverFormat; }
  void SetToneSpacingHz(double ASpacingHz) { FHoverFormat.ToneSpacingHz = ASpacingHz; }
  void SetPositionWord(const QString &AWord) { FHoverFormat.PositionWord = AWord; }

  // The tone axis in MHz at ASpacingHz per tone, or in tone numbers again
  // with 0; the axis title the chart had for tones comes back with them.
  void SetFrequencyAxis(double ASpacingHz);
  bool FrequencyAxis() const;

  // Light text on a dark plot, or the dark-on-white the chart starts with.
  void SetDark(bool ADark);
  bool Dark() const { return FDark; }
  static constexpr const char *FrequencyAxisTitle = "Frequency (MHz)";

signals:
  // The user asked for the chart's pop-up menu (mouse or keyboard).
  void MenuRequested(TToneChart *AChart, const QPoint &AGlobalPos);

protected:
  void mousePressEvent(QMouseEvent *AEvent) override;
  void mouseMoveEvent(QMouseEvent *AEvent) override;
  void mouseReleaseEvent(QMouseEvent *AEvent) override;
  void mouseDoubleClickEvent(QMouseEvent *AEvent) override;
  void wheelEvent(QWheelEvent *AEvent) override;
  void contextMenuEvent(QContextMenuEvent *AEvent) override;

private:
  void PlaceLegendAbovePlot();
  void StartPan(const QPoint &APos);
  void PanTo(const QPoint &APos);
  void ShowHoverText(QMouseEvent *AEvent);

  QCPTextElement *FTitle = nullptr;
  QCPItemText *FNotice = nullptr;
  QSharedPointer<TToneTicker> FToneTickerRef;
  TToneTicker *FToneTicker = nullptr;
  THoverFormat FHoverFormat;
  QString FToneAxisTitle;
  bool FDark = false;
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
