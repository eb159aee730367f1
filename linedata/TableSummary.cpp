#include "TableSummary.h"

#include <algorithm>

namespace {

bool HoldsData(const TDrayBinEntry &AEntry) {
  return AEntry.Bin != 0 || AEntry.SNR != 0 || AEntry.Gain != 0 || AEntry.ToneBits != 0;
}

} // namespace

TStatTableSummary SummariseStats(const TDrayStatArray &ATable) {
  TStatTableSummary Summary;
  for (const TStatValue &Entry : ATable) {
    if (Entry.IsUnassigned()) {
      ++Summary.Unassigned;
    } else if (Entry.IsNull()) {
      ++Summary.Nulls;
    } else {
      const std::int32_t Value = Entry.AsInteger();
      Summary.Min = Summary.Values == 0 ? Value : std::min(Summary.Min, Value);
      Summary.Max = Summary.Values == 0 ? Value : std::max(Summary.Max, Value);
      ++Summary.Values;
    }
  }
  return Summary;
}

TBinTableSummary SummariseBins(const TDrayBinArray &ATable) {
  TBinTableSummary Summary;
  for (const TDrayBinEntry &Entry : ATable) {
    if (!HoldsData(Entry))
      continue;
    const bool First = Summary.Tones == 0;
    Summary.MinSNR = First ? Entry.SNR : std::min<std::int32_t>(Summary.MinSNR, Entry.SNR);
    Summary.MaxSNR = First ? Entry.SNR : std::max<std::int32_t>(Summary.MaxSNR, Entry.SNR);
    Summary.MinGain = First ? Entry.Gain : std::min<std::int32_t>(Summary.MinGain, Entry.Gain);
    Summary.MaxGain = First ? Entry.Gain : std::max<std::int32_t>(Summary.MaxGain, Entry.Gain);
    Summary.MaxBits = std::max<std::int32_t>(Summary.MaxBits, Entry.ToneBits);
    ++Summary.Tones;
    if (Entry.ToneBits > 0)
      ++Summary.LoadedTones;
  }
  return Summary;
}
