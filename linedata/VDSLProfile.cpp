#include "VDSLProfile.h"

#include "TextCase.h"

const std::array<const char *, VDSLProfileCount> VDSLProfileNames = {
    "N/A", "8A", "8B", "8C", "8D", "12A", "12B", "17A", "30A", "35B"};

const std::array<std::uint16_t, VDSLProfileCount> VDSLProfileToneCount = {
    8192, 2048, 2048, 1972, 2048, 2783, 2783, 4096, 3479, 8192};

TVDSLProfile ProfileFromOrdinal(int AOrdinal) {
  if (AOrdinal < 0 || AOrdinal >= VDSLProfileCount)
    return vpNA;
  return static_cast<TVDSLProfile>(AOrdinal);
}

const char *ProfileName(TVDSLProfile AProfile) {
  return VDSLProfileNames[ProfileFromOrdinal(AProfile)];
}

std::uint16_t ProfileToneCount(TVDSLProfile AProfile) {
  return VDSLProfileToneCount[ProfileFromOrdinal(AProfile)];
}

double ToneSpacingHz(TVDSLProfile AProfile) {
  return ProfileFromOrdinal(AProfile) == vp30a ? 8625.0 : 4312.5;
}

std::optional<TVDSLProfile> ProfileFromName(std::string_view AName) {
  for (int I = 0; I < VDSLProfileCount; ++I)
    if (SameTextIgnoringCase(AName, VDSLProfileNames[I]))
      return static_cast<TVDSLProfile>(I);
  return std::nullopt;
}
