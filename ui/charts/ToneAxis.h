#pragma once
// How the tone axis follows a snapshot's VDSL profile: the maximum is the
// profile's tone count, the label step grows with the band.

#include <cstdint>
#include <optional>

struct TToneAxisChoice {
  std::uint16_t Max = 8192;
  std::optional<int> LabelStep;  // none: keep the chart's current step
};

// AProfile is a profile ordinal; one outside 0..9 (a damaged file) is taken
// as "N/A".
TToneAxisChoice ToneAxisForProfile(int AProfile);
