#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum TVDSLProfile : std::uint8_t {
  vpNA = 0, vp8a, vp8b, vp8c, vp8d, vp12a, vp12b, vp17a, vp30a, vp35b
};

inline constexpr int VDSLProfileCount = 10;

// "N/A", "8A", ... "35B", indexed by the ordinal.
extern const std::array<const char *, VDSLProfileCount> VDSLProfileNames;

// Tones each profile uses (8A 2048 ... 35B 8192; N/A 8192).
extern const std::array<std::uint16_t, VDSLProfileCount> VDSLProfileToneCount;

// Ordinals outside 0..9 (only from damaged files) are taken as vpNA.
TVDSLProfile ProfileFromOrdinal(int AOrdinal);
const char *ProfileName(TVDSLProfile AProfile);
std::uint16_t ProfileToneCount(TVDSLProfile AProfile);

// Distance between neighbouring tones in Hz: 4312.5 for every profile but
// 30A, whose band plan doubles it to 8625. Tone n lies at n times this.
double ToneSpacingHz(TVDSLProfile AProfile);

// The profile whose name equals AName without regard to letter case ("17a"
// gives vp17a); empty when no name is equal.
std::optional<TVDSLProfile> ProfileFromName(std::string_view AName);
