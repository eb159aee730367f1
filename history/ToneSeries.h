#pragma once
// The per-tone SNR and bits of a capture in the form the database keeps them
// for envelopes: SNR per group with its group size, bits per tone, each
// absent when the snapshot has none.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DrayData.h"

struct TToneSeries {
  // Per direction, upstream first: the SNR of each group (nullopt: no value)
  // and the tones per group.
  std::array<std::vector<std::optional<std::int16_t>>, 2> SNR;
  std::array<int, 2> SNRGroupSize{};
  // Per direction, the bits of each tone; empty without a bins listing.
  std::array<std::vector<std::int8_t>, 2> Bits;
  bool operator==(const TToneSeries &) const = default;
};

TToneSeries ToneSeriesOf(const TDrayData &AData);

// As stored: little-endian 16-bit values, -32768 for no value; bits one byte each.
std::string EncodeSNR(const std::vector<std::optional<std::int16_t>> &AValues);
std::vector<std::optional<std::int16_t>> DecodeSNR(std::string_view ABytes);
