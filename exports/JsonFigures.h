#pragma once
// The pieces of JSON every figure output shares: a value or null, a pair of
// directions {us, ds}, a pair of ends {near, far}, and the Showtime counters.

#include <optional>

#include <nlohmann/json.hpp>

#include "DirectionPair.h"
#include "ReportedFigures.h"

using TJson = nlohmann::ordered_json;

template <typename T> TJson OrNull(const std::optional<T> &AValue) {
  return AValue ? TJson(*AValue) : TJson(nullptr);
}

template <typename T> TJson Pair(const TDirectionPair<std::optional<T>> &APair) {
  return {{"us", OrNull(APair.US)}, {"ds", OrNull(APair.DS)}};
}

inline TJson Counter(const TCounterPair &ACounter) {
  return {{"near", OrNull(ACounter.Near)}, {"far", OrNull(ACounter.Far)}};
}

inline TJson Counters(const TShowtimeCounters &ACounters) {
  return {{"elapsedTime", Counter(ACounters.ElapsedTime)}, {"crc", Counter(ACounters.CRC)},
          {"fec", Counter(ACounters.FEC)},                 {"es", Counter(ACounters.ES)},
          {"ses", Counter(ACounters.SES)},                 {"uas", Counter(ACounters.UAS)}};
}
