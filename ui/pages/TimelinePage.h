#pragma once
// The "Timeline" page: the key figures of a history database over time, in
// four charts on one time axis (rates, margin, attenuation, errors between
// captures), and a range of time the user drags across them. The range
// decides which captures make the envelope drawn on the SNR and bit-loading
// charts. It only shows a timeline; it computes nothing.

#include <ctime>
#include <optional>

#include <QWidget>

#include "ChartLook.h"
#include "SightPlot.h"
#include "Timeline.h"

class QCPAxisRect;
class QCPGraph;
class QCPLegend;
class QCPItemRect;
class QLabel;
class QMouseEvent;

class TTimelinePage : public QWidget {
  Q_OBJECT
public:
  explicit TTimelinePage(QWidget *AParent = nullptr);

  // Replaces what the page shows and chooses the whole time again; none
  // empties it.
  void ShowTimeline(const TTimeline *ATimeline);
  // Chooses a range as a drag does (none: all captures) and says so.
  void SetRange(std::optional<TTimeRange> ARange);
  const std::optional<TTimeRange> &Range() const { return FRange; }
  // Dark or light as the tone charts are, with the same direction colours.
  void SetLook(const TChartLook &ALook);

  TSightPlot *plot = nullptr;
  QLabel *lblSummary = nullptr;
  QLabel *lblRange = nullptr;
  // Rates, margin, attenuation, errors: top to bottom.
  QCPAxisRect *Rects[4] = {};

signals:
  void RangeChosen(std::optional<TTimeRange> ARange);

private:
  void SetUpRects();
  void AddSeries(int ARect, const std::vector<TTimelinePoint> &APoints, const QString &AName, int ADirection,
                 double AScale, Qt::PenStyle AStyle);
  void AddFailures(const std::vector<std::time_t> &ATimes);
  QCPLegend *LegendOf(int ARect) const;
  QCPGraph *NewGraph(int ARect, const std::vector<TTimelinePoint> &APoints, double AScale, const QString &AName);
  void ShowRangeMarks();
  std::time_t TimeAtPixel(int AX) const;
  void MousePressed(QMouseEvent *AEvent);
  void MouseMoved(QMouseEvent *AEvent);
  void MouseReleased(QMouseEvent *AEvent);

  static constexpr int DragThreshold = 4;  // pixels before a press becomes a drag
  QCPItemRect *FMarks[4] = {};
  TChartLook FLook;
  std::optional<TTimeRange> FRange;
  std::optional<int> FDragStart;  // pixel
  std::optional<TTimeRange> FRangeBeforeDrag;
  bool FHasData = false;
  TTimeRange FSpan;  // of the timeline shown
  int FColumns = 1;  // pixel columns its series are thinned to
};
