#include "Comparison.h"

#include "DrayData.h"
#include "ToneDifference.h"

bool TComparison::CompareWith(const TDrayData *AReference, const TDrayData *AShown) {
  if (!AReference || AReference == AShown)
    return false;
  FReference = AReference;
  return true;
}

void TComparison::SetDifference(bool ADifference) {
  FDifference = FReference && ADifference;
}

void TComparison::Stop() {
  FReference = nullptr;
  FDifference = false;
}

bool TComparison::Forget(const TDrayData *ASnapshot) {
  if (!FReference || ASnapshot != FReference)
    return false;
  Stop();
  return true;
}

namespace {

bool HasBinsListing(const TDrayData &AData, TDirection ADirection) {
  return !AData.Raw(TDrayKind::Bins, ADirection).empty();
}

} // namespace

TBitsLegend CompareBits(const TDrayData &AReference, const TDrayData &AShown) {
  TBitsLegend legend;
  const TToneDifference difference = DiffTones(AReference, AShown);
  for (const TDirection direction : DrayDirections) {
    const std::size_t side = IndexOf(direction);
    if (HasBinsListing(AReference, direction) && HasBinsListing(AShown, direction))
      legend[side] = TBitsCount{difference.GainedBits[side].size(), difference.LostBits[side].size()};
  }
  return legend;
}

std::string BitsCountText(const TBitsCount &ACount) {
  return std::to_string(ACount.Gained) + " tones gained bits, " + std::to_string(ACount.Lost) + " lost";
}
