#pragma once
// A series of a year of captures has far more points than a chart has pixel
// columns. Per column the first, lowest, highest and last point keep the
// line as drawn at full detail (each spike, each dip, and how a column joins
// the next) with at most four points a column instead of thousands.

#include <ctime>
#include <vector>

#include "Timeline.h"

// APoints in the order of time; the span AFrom..ATo split into AColumns
// columns (at least 1). Points outside the span are left out.
std::vector<TTimelinePoint> ColumnExtremes(const std::vector<TTimelinePoint> &APoints, std::time_t AFrom,
                                           std::time_t ATo, int AColumns);
// One time per column that has any: where a cross is drawn.
std::vector<std::time_t> ColumnTimes(const std::vector<std::time_t> &ATimes, std::time_t AFrom, std::time_t ATo,
                                     int AColumns);
