#pragma once
// What changed from one snapshot A to another B, tone by tone: B - A of HLog,
// QLN and SNR (each snapshot's groups spread over their tones, so snapshots
// with other group sizes still line up), of bits and of gain, and the tones
// that gained or lost bits.

#include <array>
#include <optional>
#include <vector>

#include "DrayData.h"

struct TToneDifference {
  int ToneCount = 0;  // the longer tone axis of the two profiles
  // [HLog, QLN, SNR][upstream, downstream][tone]: absent where either has no value.
  std::array<std::array<std::vector<std::optional<double>>, 2>, 3> Stats;
  // [upstream, downstream][tone]: absent unless both have that bins listing.
  std::array<std::vector<std::optional<int>>, 2> Bits;
  std::array<std::vector<std::optional<int>>, 2> Gain;  // tenths of a dB
  std::array<std::vector<int>, 2> GainedBits;  // tones, ascending
  std::array<std::vector<int>, 2> LostBits;
};

TToneDifference DiffTones(const TDrayData &A, const TDrayData &B);

// The value a snapshot's table gives one tone: its group's, when the group
// has one.
std::optional<double> StatAtTone(const TDrayData &AData, TDrayKind AKind, TDirection ADirection, int ATone);
