// Thinning a timeline series to what a chart's pixel columns can show.
#include <gtest/gtest.h>

#include "TimelineColumns.h"

namespace {

std::vector<TTimelinePoint> Points(std::initializer_list<std::pair<std::time_t, double>> AValues) {
  std::vector<TTimelinePoint> Out;
  for (const auto &[Time, Value] : AValues)
    Out.push_back({Time, Value});
  return Out;
}

TEST(TimelineColumns, KeepsFirstLowestHighestAndLastOfEachColumn) {
  const struct {
    const char *Why;
    std::vector<TTimelinePoint> In;
    int Columns;
    std::vector<TTimelinePoint> Out;
  } Cases[] = {
      {"a spike and a dip inside one column stay, in time order", Points({{0, 5}, {1, 9}, {2, 5}, {3, 1}, {4, 5}, {5, 6}}),
       1, Points({{0, 5}, {1, 9}, {3, 1}, {5, 6}})},
      {"each column on its own: 0..4 and 5..9 of a span of 10", Points({{0, 1}, {2, 3}, {4, 2}, {5, 7}, {9, 7}}), 2,
       Points({{0, 1}, {2, 3}, {4, 2}, {5, 7}, {9, 7}})},
      {"a point is kept once where it is first and lowest", Points({{0, 1}, {1, 2}, {2, 3}}), 1,
       Points({{0, 1}, {2, 3}})},
      {"fewer points than columns: all of them", Points({{0, 4}, {9, 2}}), 100, Points({{0, 4}, {9, 2}})},
      {"points outside the span are left out", Points({{-3, 4}, {0, 1}, {9, 2}, {12, 8}}), 1,
       Points({{0, 1}, {9, 2}})},
      {"no columns is one column", Points({{0, 1}, {1, 5}, {2, 1}, {3, 1}}), 0, Points({{0, 1}, {1, 5}, {3, 1}})},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(ColumnExtremes(Case.In, 0, 9, Case.Columns), Case.Out) << Case.Why;
}

TEST(TimelineColumns, AYearOfCapturesFitsInAFewPointsPerColumn) {
  constexpr std::time_t Year = 365 * 86400, Every = 30;
  std::vector<TTimelinePoint> In;
  for (std::time_t Time = 0; Time < Year; Time += Every)
    In.push_back({Time, double(Time % 7919)});
  const std::vector<TTimelinePoint> Out = ColumnExtremes(In, 0, Year - 1, 1000);
  EXPECT_LE(Out.size(), 4000u);
  EXPECT_GE(Out.size(), 3000u);
  EXPECT_EQ(Out.front(), In.front());
  EXPECT_EQ(Out.back(), In.back());
}

TEST(TimelineColumns, OneCrossPerColumn) {
  EXPECT_EQ(ColumnTimes({0, 1, 4, 5, 6, 9, 11}, 0, 9, 2), (std::vector<std::time_t>{0, 5}));
  EXPECT_EQ(ColumnTimes({2, 3}, 0, 9, 10), (std::vector<std::time_t>{2, 3}));
}

} // namespace
