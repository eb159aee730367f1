#include "TimelineColumns.h"

#include <algorithm>
#include <optional>

namespace {

// Which column a time falls in; nullopt outside the span.
std::optional<long long> ColumnOf(std::time_t ATime, std::time_t AFrom, std::time_t ATo, int AColumns) {
  if (ATime < AFrom || ATime > ATo)
    return std::nullopt;
  const long double Span = static_cast<long double>(ATo - AFrom) + 1;
  return static_cast<long long>(static_cast<long double>(ATime - AFrom) * AColumns / Span);
}

// The first, lowest, highest and last of one column, each once, in time order.
void AddColumn(std::vector<TTimelinePoint> &AOut, std::vector<TTimelinePoint>::const_iterator ABegin,
               std::vector<TTimelinePoint>::const_iterator AEnd) {
  const auto [Low, High] = std::minmax_element(
      ABegin, AEnd, [](const TTimelinePoint &A, const TTimelinePoint &B) { return A.Value < B.Value; });
  std::vector<std::vector<TTimelinePoint>::const_iterator> Kept = {ABegin, Low, High, AEnd - 1};
  std::sort(Kept.begin(), Kept.end());
  Kept.erase(std::unique(Kept.begin(), Kept.end()), Kept.end());
  for (const auto &Point : Kept)
    AOut.push_back(*Point);
}

}  // namespace

std::vector<TTimelinePoint> ColumnExtremes(const std::vector<TTimelinePoint> &APoints, std::time_t AFrom,
                                           std::time_t ATo, int AColumns) {
  std::vector<TTimelinePoint> Out;
  const int Columns = std::max(AColumns, 1);
  auto Start = APoints.begin();
  while (Start != APoints.end()) {
    const std::optional<long long> Column = ColumnOf(Start->Time, AFrom, ATo, Columns);
    auto End = std::next(Start);
    while (End != APoints.end() && ColumnOf(End->Time, AFrom, ATo, Columns) == Column)
      ++End;
    if (Column)
      AddColumn(Out, Start, End);
    Start = End;
  }
  return Out;
}

std::vector<std::time_t> ColumnTimes(const std::vector<std::time_t> &ATimes, std::time_t AFrom, std::time_t ATo,
                                     int AColumns) {
  std::vector<std::time_t> Out;
  std::optional<long long> Last;
  for (const std::time_t Time : ATimes) {
    const std::optional<long long> Column = ColumnOf(Time, AFrom, ATo, std::max(AColumns, 1));
    if (Column && Column != Last)
      Out.push_back(Time);
    if (Column)
      Last = Column;
  }
  return Out;
}
