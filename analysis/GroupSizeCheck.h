#pragma once
// Whether a per-tone table's group size can be the router's. Entry i of a
// table starts at tone i x group size, so a group size that puts entries with
// values past the profile's last tone (a GroupSize of 99999, kept as its low
// byte 159, on a 17A line) would place every figure drawn from that table on
// tones the line does not have: a tap notch at 49.82 MHz on a 17 MHz line.
// The analysis leaves such a table out and says so.

#include <string>
#include <vector>

#include "DrayKindState.h"
#include "StatValue.h"
#include "VDSLProfile.h"

class TDrayData;

struct TGroupSizeMisfit {
  TDrayKind Kind;
  TDirection Direction;
  int GroupSize;
  bool operator==(const TGroupSizeMisfit &) const = default;
};

// True when the first tone of the last entry with a value lies below the
// tone count of AProfile; a table without values always fits.
bool GroupSizeFits(const TDrayStatArray &ATable, int AGroupSize, TVDSLProfile AProfile);

// Every HLog, QLN and SNR table of AData whose group size does not fit its
// profile, upstream first.
std::vector<TGroupSizeMisfit> GroupSizeMisfits(const TDrayData &AData);

// "The HLOG group size 159 (upstream) does not fit the 4096 tones of 17A;
// that table is left out of the analysis".
std::string GroupSizeMisfitText(const TGroupSizeMisfit &AMisfit, TVDSLProfile AProfile);
