#include "ToneAxis.h"

#include "VDSLProfile.h"

TToneAxisChoice ToneAxisForProfile(int AProfile) {
  const TVDSLProfile profile = ProfileFromOrdinal(AProfile);
  TToneAxisChoice choice;
  choice.Max = ProfileToneCount(profile);
  if (profile >= vp8a && profile <= vp12b)
    choice.LabelStep = 64;
  else if (profile == vp17a || profile == vp30a)
    choice.LabelStep = 128;
  else if (profile == vp35b)
    choice.LabelStep = 256;
  return choice;
}
