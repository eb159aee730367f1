#pragma once
// One figure for each direction of the line, upstream first as everywhere.

#include "StatValue.h"

// "us" and "ds", as the command line and JSON name the directions.
constexpr const char *DirectionKey(TDirection ADirection) { return ADirection == TDirection::Upstream ? "us" : "ds"; }
// "US" and "DS", as charts and summary tables name their series and columns.
constexpr const char *DirectionLabel(TDirection ADirection) { return ADirection == TDirection::Upstream ? "US" : "DS"; }
// "Upstream" and "Downstream", as titles.
constexpr const char *DirectionTitle(TDirection ADirection) {
  return ADirection == TDirection::Upstream ? "Upstream" : "Downstream";
}

template <typename T>
struct TDirectionPair {
  T US{};
  T DS{};

  T &operator[](TDirection ADirection) { return ADirection == TDirection::Upstream ? US : DS; }
  const T &operator[](TDirection ADirection) const { return ADirection == TDirection::Upstream ? US : DS; }
  bool operator==(const TDirectionPair &) const = default;
};
