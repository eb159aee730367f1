#pragma once
// Counts and ranges of one table, for summaries shown to the user.

#include <cstdint>

#include "StatValue.h"

struct TStatTableSummary {
  int Values = 0;      // entries holding a number
  int Nulls = 0;       // entries the router gave no value
  int Unassigned = 0;  // entries never written
  std::int32_t Min = 0;  // over the numbers; 0 when there are none
  std::int32_t Max = 0;
};

// Entries of a bins table that a bins line named carry a tone number or a
// non-zero field; the first tone (number 0) counts once it carries data.
struct TBinTableSummary {
  int Tones = 0;
  int LoadedTones = 0;  // tones with at least one bit
  std::int32_t MinSNR = 0, MaxSNR = 0;
  std::int32_t MinGain = 0, MaxGain = 0;
  std::int32_t MaxBits = 0;
};

TStatTableSummary SummariseStats(const TDrayStatArray &ATable);
TBinTableSummary SummariseBins(const TDrayBinArray &ATable);
