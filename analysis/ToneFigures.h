#pragma once
// Figures counted over one direction's tables: the bit loading of the bins
// listing and the SNR per tone group.

#include <cstdint>
#include <optional>

#include "StatValue.h"
#include "VDSLProfile.h"

struct TBitFigures {
  int TonesInUse = 0;           // tones with at least one bit
  std::int64_t TotalBits = 0;   // bits of one DMT symbol
  int MaxBits = 0;
  std::int64_t LineRate = 0;    // bit/s: total bits times the symbol rate
  bool operator==(const TBitFigures &) const = default;
};

struct TSNRFigures {
  double Mean = 0;  // dB, over the entries that hold a value
  double Min = 0;
  bool operator==(const TSNRFigures &) const = default;
};

// DMT data symbols per second: 4000, and 8000 on 30a, whose tones are twice
// as wide (G.993.2; the sync symbol after every 256 data symbols carries no
// data and is not counted).
int DMTSymbolRate(TVDSLProfile AProfile);

TBitFigures BitFiguresOf(const TDrayBinArray &ABins, int ASymbolRate);
// None when no entry holds a value.
std::optional<TSNRFigures> SNRFiguresOf(const TDrayStatArray &ASNR);
