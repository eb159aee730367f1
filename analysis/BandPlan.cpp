#include "BandPlan.h"

#include <algorithm>
#include <array>

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;

constexpr std::array<TPlanBand, 7> Plan998 = {{{"US0", 6, 32, US},
                                               {"DS1", 33, 869, DS},
                                               {"US1", 870, 1205, US},
                                               {"DS2", 1206, 1971, DS},
                                               {"US2", 1972, 2782, US},
                                               {"DS3", 2783, 4095, DS},
                                               {"DS4", 4096, 8191, DS}}};

constexpr std::array<TPlanBand, 7> Plan30a = {{{"US0", 3, 15, US},
                                               {"DS1", 16, 434, DS},
                                               {"US1", 435, 602, US},
                                               {"DS2", 603, 985, DS},
                                               {"US2", 986, 1391, US},
                                               {"DS3", 1392, 2666, DS},
                                               {"US3", 2667, 3478, US}}};

// The top tone each profile loads on the 998 plan.
int LastToneOf(TVDSLProfile AProfile) {
  switch (AProfile) {
  case vp8a:
  case vp8b:
  case vp8c:
  case vp8d: return 1971;
  case vp12a:
  case vp12b: return 2782;
  case vp17a: return 4095;
  case vp35b: return 8191;
  default: return -1;
  }
}

} // namespace

std::vector<TPlanBand> BandPlanOf(TVDSLProfile AProfile) {
  if (AProfile == vp30a)
    return {Plan30a.begin(), Plan30a.end()};
  const int Last = LastToneOf(AProfile);
  std::vector<TPlanBand> Bands;
  std::copy_if(Plan998.begin(), Plan998.end(), std::back_inserter(Bands),
               [Last](const TPlanBand &ABand) { return ABand.LastTone <= Last; });
  return Bands;
}
