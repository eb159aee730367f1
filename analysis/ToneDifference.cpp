#include "ToneDifference.h"

#include <algorithm>

namespace {

constexpr TDrayKind StatKinds[] = {TDrayKind::HLog, TDrayKind::QLN, TDrayKind::SNR};

int ToneCountOf(const TDrayData &AData) {
  return AData.VDSLProfile() == vpNA ? DrayBinCount : ProfileToneCount(AData.VDSLProfile());
}

bool HasBins(const TDrayData &AData, TDirection ADirection) {
  return !(ADirection == TDirection::Upstream ? AData.BinStatsUSRaw() : AData.BinStatsDSRaw()).empty();
}

const TDrayBinArray &BinsOf(const TDrayData &AData, TDirection ADirection) {
  return ADirection == TDirection::Upstream ? AData.ShowBinStatsUS() : AData.ShowBinStatsDS();
}

void DiffBins(const TDrayData &A, const TDrayData &B, TDirection ADirection, TToneDifference &ADiff) {
  const std::size_t Side = IndexOf(ADirection);
  ADiff.Bits[Side].assign(static_cast<std::size_t>(ADiff.ToneCount), std::nullopt);
  ADiff.Gain[Side].assign(static_cast<std::size_t>(ADiff.ToneCount), std::nullopt);
  if (!HasBins(A, ADirection) || !HasBins(B, ADirection))
    return;
  const TDrayBinArray &Before = BinsOf(A, ADirection), &After = BinsOf(B, ADirection);
  for (int Tone = 0; Tone < std::min(ADiff.ToneCount, DrayBinCount); ++Tone) {
    const auto Index = static_cast<std::size_t>(Tone);
    const int Bits = After[Index].ToneBits - Before[Index].ToneBits;
    ADiff.Bits[Side][Index] = Bits;
    ADiff.Gain[Side][Index] = After[Index].Gain - Before[Index].Gain;
    if (Bits > 0)
      ADiff.GainedBits[Side].push_back(Tone);
    else if (Bits < 0)
      ADiff.LostBits[Side].push_back(Tone);
  }
}

} // namespace

std::optional<double> StatAtTone(const TDrayData &AData, TDrayKind AKind, TDirection ADirection, int ATone) {
  const int Group = AData.Multipliers(AKind)[IndexOf(ADirection)];
  if (Group <= 0 || ATone / Group >= DrayStatCount)
    return std::nullopt;
  const TStatValue Value = AData.StatTable(AKind, ADirection)[static_cast<std::size_t>(ATone / Group)];
  return Value.HasValue() ? std::optional<double>(Value.AsInteger()) : std::nullopt;
}

TToneDifference DiffTones(const TDrayData &A, const TDrayData &B) {
  TToneDifference Diff;
  Diff.ToneCount = std::max(ToneCountOf(A), ToneCountOf(B));
  for (const TDrayKind Kind : StatKinds)
    for (const TDirection Direction : DrayDirections) {
      std::vector<std::optional<double>> &Values = Diff.Stats[IndexOf(Kind)][IndexOf(Direction)];
      Values.resize(static_cast<std::size_t>(Diff.ToneCount));
      for (int Tone = 0; Tone < Diff.ToneCount; ++Tone) {
        const auto Before = StatAtTone(A, Kind, Direction, Tone);
        const auto After = StatAtTone(B, Kind, Direction, Tone);
        if (Before && After)
          Values[static_cast<std::size_t>(Tone)] = *After - *Before;
      }
    }
  for (const TDirection Direction : DrayDirections)
    DiffBins(A, B, Direction, Diff);
  return Diff;
}
