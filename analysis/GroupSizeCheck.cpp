#include "GroupSizeCheck.h"

#include "CapturedFiles.h"
#include "DrayData.h"

bool GroupSizeFits(const TDrayStatArray &ATable, int AGroupSize, TVDSLProfile AProfile) {
  int Last = -1;
  for (int Entry = 0; Entry < DrayStatCount; ++Entry)
    if (ATable[static_cast<std::size_t>(Entry)].HasValue())
      Last = Entry;
  return Last < 0 || (AGroupSize > 0 && static_cast<long long>(Last) * AGroupSize < ProfileToneCount(AProfile));
}

std::vector<TGroupSizeMisfit> GroupSizeMisfits(const TDrayData &AData) {
  std::vector<TGroupSizeMisfit> Misfits;
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
    for (const TDrayKind Kind : {TDrayKind::HLog, TDrayKind::QLN, TDrayKind::SNR}) {
      const int GroupSize = AData.Multipliers(Kind)[IndexOf(Direction)];
      if (!GroupSizeFits(AData.StatTable(Kind, Direction), GroupSize, AData.VDSLProfile()))
        Misfits.push_back({Kind, Direction, GroupSize});
    }
  return Misfits;
}

std::string GroupSizeMisfitText(const TGroupSizeMisfit &AMisfit, TVDSLProfile AProfile) {
  return std::string("The ") + DrayKindName(AMisfit.Kind) + " group size " + std::to_string(AMisfit.GroupSize) +
         (AMisfit.Direction == TDirection::Upstream ? " (upstream)" : " (downstream)") + " does not fit the " +
         std::to_string(ProfileToneCount(AProfile)) + " tones of " + ProfileName(AProfile) +
         "; that table is left out of the analysis";
}
