#pragma once
// One figure for each direction of the line, upstream first as everywhere.

#include "StatValue.h"

template <typename T>
struct TDirectionPair {
  T US{};
  T DS{};

  T &operator[](TDirection ADirection) { return ADirection == TDirection::Upstream ? US : DS; }
  const T &operator[](TDirection ADirection) const { return ADirection == TDirection::Upstream ? US : DS; }
  bool operator==(const TDirectionPair &) const = default;
};
