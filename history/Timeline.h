#pragma once
// The key figures of a line over time, as the timeline charts them: one
// series per figure and direction, a point for each successful capture that
// reports the figure. Counters are drawn as their growth since the capture
// before, which is what tells a bad hour from a bad month.

#include <array>
#include <ctime>
#include <vector>

#include "Capture.h"

enum class TTimelineFigure { ActualRate, AttainableRate, SNRMargin, Attenuation, CRCGrowth, ESGrowth };
constexpr int TimelineFigureCount = 6;

struct TTimelinePoint {
  std::time_t Time = 0;
  double Value = 0;
  bool operator==(const TTimelinePoint &) const = default;
};

struct TTimeline {
  // [figure][upstream, downstream]; rates in bit/s, margin and attenuation in
  // dB, growth in counts. The router counts the errors of what it receives
  // (near end: downstream), the exchange those of the upstream (far end).
  std::array<std::array<std::vector<TTimelinePoint>, 2>, TimelineFigureCount> Series;
  std::vector<std::time_t> Failures;  // when a capture failed
  std::time_t First = 0, Last = 0;    // of every capture with a readable time
  int Captures = 0;

  const std::vector<TTimelinePoint> &At(TTimelineFigure AFigure, int ADirection) const {
    return Series[static_cast<std::size_t>(AFigure)][static_cast<std::size_t>(ADirection)];
  }
};

// A span of time, both ends included.
struct TTimeRange {
  std::time_t From = 0, To = 0;
  bool operator==(const TTimeRange &) const = default;
};

// ACaptures in the order of their time, as the store gives them. A counter
// that went down was reset (a resync): its growth is its value since then.
TTimeline TimelineOf(const std::vector<TCapture> &ACaptures);
