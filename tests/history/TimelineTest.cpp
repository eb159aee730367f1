// The timeline's series from captures with figures chosen by hand: which
// capture gives a point, and how counters turn into growth.
#include <gtest/gtest.h>

#include "Timeline.h"

namespace {

TCapture Ok(const char *ATime, const char *AName, std::int64_t ARateDS, std::optional<std::int64_t> ACRCNear,
            std::optional<std::int64_t> ACRCFar) {
  TCapture capture;
  capture.Time = ATime;
  capture.Name = AName;
  capture.Ok = true;
  capture.Figures.ActualRate.DS = ARateDS;
  capture.Figures.SNRMargin.US = 6.5;
  capture.Figures.Counters.CRC.Near = ACRCNear;
  capture.Figures.Counters.CRC.Far = ACRCFar;
  return capture;
}

TCapture Failed(const char *ATime) {
  TCapture capture;
  capture.Time = ATime;
  capture.Name = "r";
  capture.Error = "Unable to connect";
  return capture;
}

std::vector<double> Values(const std::vector<TTimelinePoint> &APoints) {
  std::vector<double> values;
  for (const TTimelinePoint &point : APoints)
    values.push_back(point.Value);
  return values;
}

// Growth is taken per router: a second line in the same database does not
// give the first one a jump. A counter lower than before was reset by a
// resync, so all it holds is growth.
TEST(Timeline, SeriesAndCounterGrowth) {
  const std::vector<TCapture> captures = {
      Ok("2026-12-10T10:00:00Z", "r", 50'000'000, 100, 7),
      Ok("2026-12-10T10:05:00Z", "other", 20'000'000, 5000, 0),
      Failed("2026-12-10T10:10:00Z"),
      Ok("2026-12-10T10:15:00Z", "r", 49'000'000, 130, std::nullopt),
      Ok("2026-12-10T10:20:00Z", "r", 51'000'000, 12, 9),
      Ok("not a time", "r", 1, 1, 1),
  };
  const TTimeline timeline = TimelineOf(captures);
  EXPECT_EQ(timeline.Captures, 5);
  EXPECT_EQ(timeline.Last - timeline.First, 20 * 60);
  ASSERT_EQ(timeline.Failures.size(), 1u);
  EXPECT_EQ(timeline.Failures[0] - timeline.First, 10 * 60);

  const struct {
    TTimelineFigure Figure;
    int Direction;
    std::vector<double> Expected;
  } cases[] = {
      {TTimelineFigure::ActualRate, 1, {50e6, 20e6, 49e6, 51e6}},
      {TTimelineFigure::ActualRate, 0, {}},
      {TTimelineFigure::SNRMargin, 0, {6.5, 6.5, 6.5, 6.5}},
      {TTimelineFigure::CRCGrowth, 1, {30, 12}},  // near end: what the router received
      {TTimelineFigure::CRCGrowth, 0, {2}},       // since the last capture that had the far end's counter
      {TTimelineFigure::ESGrowth, 1, {}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Values(timeline.At(c.Figure, c.Direction)), c.Expected)
        << int(c.Figure) << " direction " << c.Direction;
  EXPECT_EQ(timeline.At(TTimelineFigure::CRCGrowth, 1).back().Time - timeline.First, 20 * 60);
}

TEST(Timeline, NoCaptures) {
  const TTimeline timeline = TimelineOf({});
  EXPECT_EQ(timeline.Captures, 0);
  EXPECT_TRUE(timeline.At(TTimelineFigure::ActualRate, 1).empty());
}

}  // namespace
