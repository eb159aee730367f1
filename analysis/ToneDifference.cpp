#include "ToneDifference.h"

#include <algorithm>

namespace {

constexpr TDrayKind StatKinds[] = {TDrayKind::HLog, TDrayKind::QLN, TDrayKind::SNR};
constexpr TDirection Directions[] = {TDirection::Upstream, TDirection::Downstream};

int ToneCountOf(const TDrayData &AData) {
  return AData.VDSLProfile() == vpNA ? DrayBinCount : ProfileToneCount(AData.VDSLProfile());
}

bool HasBins(const TDrayData &AData, TDirection ADirection) {
  return !(ADirection == TDirection::Upstream ? AData.BinStatsUSRaw() : AData.BinStatsDSRaw()).empty();
}

const TDrayBinArray &BinsOf(const TDrayData &AData, TDirection ADirection) {
  return ADirection == TDirection::Upstream ? AData.ShowBinStatsUS() : AData.ShowBinStatsDS();
}

void DiffBins(const TDrayData &A, const TDrayData &B, std::size_t ASide, TToneDifference &ADiff) {
  const TDirection Direction = Directions[ASide];
  ADiff.Bits[ASide].assign(static_cast<std::size_t>(ADiff.ToneCount), std::nullopt);
  ADiff.Gain[ASide].assign(static_cast<std::size_t>(ADiff.ToneCount), std::nullopt);
  if (!HasBins(A, Direction) || !HasBins(B, Direction))
    return;
  const TDrayBinArray &Before = BinsOf(A, Direction), &After = BinsOf(B, Direction);
  for (int Tone = 0; Tone < std::min(ADiff.ToneCount, DrayBinCount); ++Tone) {
    const auto Index = static_cast<std::size_t>(Tone);
    const int Bits = After[Index].ToneBits - Before[Index].ToneBits;
    ADiff.Bits[ASide][Index] = Bits;
    ADiff.Gain[ASide][Index] = After[Index].Gain - Before[Index].Gain;
    if (Bits > 0)
      ADiff.GainedBits[ASide].push_back(Tone);
    else if (Bits < 0)
      ADiff.LostBits[ASide].push_back(Tone);
  }
}

} // namespace

std::optional<double> StatAtTone(const TDrayData &AData, TDrayKind AKind, TDirection ADirection, int ATone) {
  const int Group = AData.Multipliers(AKind)[ADirection == TDirection::Upstream ? 0 : 1];
  if (Group <= 0 || ATone / Group >= DrayStatCount)
    return std::nullopt;
  const TStatValue Value = AData.StatTable(AKind, ADirection)[static_cast<std::size_t>(ATone / Group)];
  return Value.HasValue() ? std::optional<double>(Value.AsInteger()) : std::nullopt;
}

TToneDifference DiffTones(const TDrayData &A, const TDrayData &B) {
  TToneDifference Diff;
  Diff.ToneCount = std::max(ToneCountOf(A), ToneCountOf(B));
  for (std::size_t Kind = 0; Kind < 3; ++Kind)
    for (std::size_t Side = 0; Side < 2; ++Side) {
      std::vector<std::optional<double>> &Values = Diff.Stats[Kind][Side];
      Values.resize(static_cast<std::size_t>(Diff.ToneCount));
      for (int Tone = 0; Tone < Diff.ToneCount; ++Tone) {
        const auto Before = StatAtTone(A, StatKinds[Kind], Directions[Side], Tone);
        const auto After = StatAtTone(B, StatKinds[Kind], Directions[Side], Tone);
        if (Before && After)
          Values[static_cast<std::size_t>(Tone)] = *After - *Before;
      }
    }
  for (std::size_t Side = 0; Side < 2; ++Side)
    DiffBins(A, B, Side, Diff);
  return Diff;
}
