#pragma once
// The window's view of a line analysis: the snapshot shown is analysed once,
// its figures go to the "Line" page and what it found to the charts, the
// notches of each bridged tap on the HLog chart and each radio disturber on
// the QLN chart. Showing another snapshot, or none, replaces all of it.

#include <optional>

#include <QColor>

#include "LineAnalysis.h"

class TDrayData;
class TLinePage;
class TToneChart;

class TLineView {
public:
  TLineView(TLinePage *APage, TToneChart *AHLogChart, TToneChart *AQLNChart);

  void Show(const TDrayData *AData);
  // The analysis on show; none while no snapshot is.
  const std::optional<TLineAnalysis> &Analysis() const { return FAnalysis; }

  static const QColor TapColor;
  static const QColor DisturberColor;

private:
  void MarkTaps();
  void MarkDisturbers();

  TLinePage *FPage;
  TToneChart *FHLogChart;
  TToneChart *FQLNChart;
  std::optional<TLineAnalysis> FAnalysis;
};
