#include "ToneFigures.h"

#include <algorithm>

int DMTSymbolRate(TVDSLProfile AProfile) { return AProfile == vp30a ? 8000 : 4000; }

TBitFigures BitFiguresOf(const TDrayBinArray &ABins, int ASymbolRate) {
  TBitFigures Figures;
  for (const TDrayBinEntry &Tone : ABins) {
    if (Tone.ToneBits <= 0)
      continue;
    ++Figures.TonesInUse;
    Figures.TotalBits += Tone.ToneBits;
    Figures.MaxBits = std::max<int>(Figures.MaxBits, Tone.ToneBits);
  }
  Figures.LineRate = Figures.TotalBits * ASymbolRate;
  return Figures;
}

std::optional<TSNRFigures> SNRFiguresOf(const TDrayStatArray &ASNR) {
  double Sum = 0;
  int Count = 0;
  TSNRFigures Figures;
  for (const TStatValue &Entry : ASNR) {
    if (!Entry.HasValue())
      continue;
    const double Value = Entry.AsInteger();
    Figures.Min = Count == 0 ? Value : std::min(Figures.Min, Value);
    Sum += Value;
    ++Count;
  }
  if (Count == 0)
    return std::nullopt;
  Figures.Mean = Sum / Count;
  return Figures;
}
