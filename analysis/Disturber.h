#pragma once
// Narrow-band disturbers in the quiet line noise: radio transmitters whose
// signal the pair picks up stand as peaks above the noise floor around them.
// An entry counts when it stands DisturberRiseDb or more above the median of
// its neighbourhood (NeighbourEntries entries either side that hold a value,
// itself left out); neighbouring entries that count are one disturber, placed
// at the highest of them.

#include <optional>
#include <string>
#include <vector>

#include "StatValue.h"

inline constexpr double DisturberRiseDb = 10;
inline constexpr int NeighbourEntries = 16;
// Fewer neighbours with a value than this say nothing about the floor (the
// edge of a band, a table that is mostly empty).
inline constexpr int MinNeighbours = 8;

struct TDisturber {
  int Tone = 0;
  double FrequencyHz = 0;
  double RiseDb = 0;
  std::optional<std::string> Band;  // the radio band it falls in, if any
  bool operator==(const TDisturber &) const = default;
};

// The disturbers in one direction's QLN table, by frequency.
std::vector<TDisturber> FindDisturbers(const TDrayStatArray &AQLN, int AGroupSize, double AToneSpacingHz);
