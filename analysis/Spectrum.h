#pragma once
// A per-tone-group table laid out on the frequency axis of the line's
// profile: one point per entry that holds a value, entry i at tone
// i times the group size, tone n at n times the tone spacing.

#include <vector>

#include "StatValue.h"

struct TSpectrumPoint {
  double FrequencyHz;
  double Value;
};

// The entries of ATable with a value; none when AGroupSize is 0 (no group
// size was read, so the entries have no place on the axis).
std::vector<TSpectrumPoint> SpectrumOf(const TDrayStatArray &ATable, int AGroupSize, double AToneSpacingHz);

// Both directions on one axis, sorted by frequency, without the point at 0 Hz.
std::vector<TSpectrumPoint> MergedSpectrum(const std::vector<TSpectrumPoint> &AUpstream,
                                           const std::vector<TSpectrumPoint> &ADownstream);
