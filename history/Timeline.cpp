#include "Timeline.h"

#include <map>
#include <optional>
#include <string>

#include "DrayKindState.h"
#include "HistoryTime.h"

namespace {

void AddPoint(TTimeline &ATimeline, TTimelineFigure AFigure, int ADirection, std::time_t ATime,
              const std::optional<double> &AValue) {
  if (AValue)
    ATimeline.Series[static_cast<std::size_t>(AFigure)][static_cast<std::size_t>(ADirection)].push_back(
        {ATime, *AValue});
}

std::optional<double> AsDouble(const std::optional<std::int64_t> &AValue) {
  return AValue ? std::optional<double>(double(*AValue)) : std::nullopt;
}

// The last counter values seen per router, so that two lines in one
// database do not take growth from each other.
struct TLastCounters {
  std::array<std::optional<std::int64_t>, 2> CRC, ES;
};

std::optional<double> Growth(std::optional<std::int64_t> &ALast, const std::optional<std::int64_t> &ANow) {
  if (!ANow)
    return std::nullopt;
  const std::optional<std::int64_t> last = ALast;
  ALast = ANow;
  if (!last)
    return std::nullopt;
  return double(*ANow >= *last ? *ANow - *last : *ANow);
}

}  // namespace

TTimeline TimelineOf(const std::vector<TCapture> &ACaptures) {
  TTimeline timeline;
  std::map<std::string, TLastCounters> counters;
  for (const TCapture &capture : ACaptures) {
    const std::optional<std::time_t> time = ParseUtcTime(capture.Time);
    if (!time)
      continue;
    if (timeline.Captures == 0 || *time < timeline.First)
      timeline.First = *time;
    if (timeline.Captures == 0 || *time > timeline.Last)
      timeline.Last = *time;
    ++timeline.Captures;
    if (!capture.Ok) {
      timeline.Failures.push_back(*time);
      continue;
    }
    const TCaptureFigures &f = capture.Figures;
    TLastCounters &last = counters[capture.Name];
    for (int d = 0; d < 2; ++d) {
      const TDirection direction = DrayDirections[std::size_t(d)];
      AddPoint(timeline, TTimelineFigure::ActualRate, d, *time, AsDouble(f.ActualRate[direction]));
      AddPoint(timeline, TTimelineFigure::AttainableRate, d, *time, AsDouble(f.AttainableRate[direction]));
      AddPoint(timeline, TTimelineFigure::SNRMargin, d, *time, f.SNRMargin[direction]);
      AddPoint(timeline, TTimelineFigure::Attenuation, d, *time, f.Attenuation[direction]);
      const std::optional<std::int64_t> &crc = d == 0 ? f.Counters.CRC.Far : f.Counters.CRC.Near;
      const std::optional<std::int64_t> &es = d == 0 ? f.Counters.ES.Far : f.Counters.ES.Near;
      AddPoint(timeline, TTimelineFigure::CRCGrowth, d, *time, Growth(last.CRC[std::size_t(d)], crc));
      AddPoint(timeline, TTimelineFigure::ESGrowth, d, *time, Growth(last.ES[std::size_t(d)], es));
    }
  }
  return timeline;
}
