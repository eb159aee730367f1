#include "Spectrum.h"

#include <algorithm>

std::vector<TSpectrumPoint> SpectrumOf(const TDrayStatArray &ATable, int AGroupSize, double AToneSpacingHz) {
  std::vector<TSpectrumPoint> Points;
  if (AGroupSize <= 0)
    return Points;
  for (int Entry = 0; Entry < DrayStatCount; ++Entry)
    if (ATable[Entry].HasValue())
      Points.push_back({Entry * AGroupSize * AToneSpacingHz, static_cast<double>(ATable[Entry].AsInteger())});
  return Points;
}

std::vector<TSpectrumPoint> MergedSpectrum(const std::vector<TSpectrumPoint> &AUpstream,
                                           const std::vector<TSpectrumPoint> &ADownstream) {
  std::vector<TSpectrumPoint> Points;
  for (const auto *Direction : {&AUpstream, &ADownstream})
    std::copy_if(Direction->begin(), Direction->end(), std::back_inserter(Points),
                 [](const TSpectrumPoint &APoint) { return APoint.FrequencyHz > 0; });
  std::stable_sort(Points.begin(), Points.end(), [](const TSpectrumPoint &A, const TSpectrumPoint &B) {
    return A.FrequencyHz < B.FrequencyHz;
  });
  return Points;
}
