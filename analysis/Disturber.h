#pragma once
// Narrow-band disturbers in the quiet line noise: radio transmitters whose
// signal the pair picks up stand as peaks above the noise floor around them.
// An entry counts when it stands DisturberRiseDb or more above the median of
// its neighbourhood: itself and the entries up to NeighbourEntries either
// side that hold a value. With the entry itself in the window, a step in the
// floor (the two ends measure their own bands) raises no peak: just past the
// step the higher side holds the median. Neighbouring entries that count are
// one disturber, placed at the highest of them. Its radio band is the one at
// its frequency or, failing that, within half a tone group of it.

#include <optional>
#include <string>
#include <vector>

#include "StatValue.h"

inline constexpr double DisturberRiseDb = 10;
inline constexpr int NeighbourEntries = 16;
// A window with fewer values than this says nothing about the floor (a
// table that is mostly empty).
inline constexpr int MinWindowValues = 8;

struct TDisturber {
  int Tone = 0;
  double FrequencyHz = 0;
  double RiseDb = 0;
  std::optional<std::string> Band;  // the radio band its tone group falls in, if any
  bool operator==(const TDisturber &) const = default;
};

// The disturbers in one direction's QLN table, by frequency.
std::vector<TDisturber> FindDisturbers(const TDrayStatArray &AQLN, int AGroupSize, double AToneSpacingHz);
