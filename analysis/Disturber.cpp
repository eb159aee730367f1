#include "Disturber.h"

#include <algorithm>

#include "RadioBands.h"

namespace {

// How far entry AEntry stands above the median of its window; none without
// a value or enough values around it.
std::optional<double> RiseOf(const TDrayStatArray &AQLN, int AEntry) {
  if (!AQLN[AEntry].HasValue())
    return std::nullopt;
  std::vector<int> Window;
  for (int Other = std::max(0, AEntry - NeighbourEntries);
       Other <= std::min(DrayStatCount - 1, AEntry + NeighbourEntries); ++Other)
    if (AQLN[Other].HasValue())
      Window.push_back(AQLN[Other].AsInteger());
  if (static_cast<int>(Window.size()) < MinWindowValues)
    return std::nullopt;
  // With an even count the median is the mean of the middle two.
  std::sort(Window.begin(), Window.end());
  const std::size_t Half = Window.size() / 2;
  const double Median = Window.size() % 2 ? Window[Half] : (Window[Half - 1] + Window[Half]) / 2.0;
  return AQLN[AEntry].AsInteger() - Median;
}

} // namespace

std::vector<TDisturber> FindDisturbers(const TDrayStatArray &AQLN, int AGroupSize, double AToneSpacingHz) {
  std::vector<TDisturber> Found;
  if (AGroupSize <= 0)
    return Found;
  bool InPeak = false;
  for (int Entry = 0; Entry < DrayStatCount; ++Entry) {
    const std::optional<double> Rise = RiseOf(AQLN, Entry);
    if (!Rise || *Rise < DisturberRiseDb) {
      InPeak = false;
      continue;
    }
    const int Tone = Entry * AGroupSize;
    if (!InPeak)
      Found.push_back({Tone, 0, *Rise, std::nullopt});
    else if (*Rise > Found.back().RiseDb)
      Found.back() = {Tone, 0, *Rise, std::nullopt};
    InPeak = true;
  }
  for (TDisturber &Disturber : Found) {
    Disturber.FrequencyHz = Disturber.Tone * AToneSpacingHz;
    Disturber.Band = RadioBandNear(Disturber.FrequencyHz, AGroupSize * AToneSpacingHz);
  }
  return Found;
}
