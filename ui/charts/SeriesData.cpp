#include "SeriesData.h"

#include <algorithm>
#include <limits>

TSeriesPoints StatLinePoints(const TDrayStatArray &ATable, std::uint8_t AGroupSize) {
  TSeriesPoints points;
  points.Keys.reserve(DrayStatCount);
  points.Values.reserve(DrayStatCount);
  for (int i = 0; i < DrayStatCount; ++i) {
    const TStatValue &entry = ATable[i];
    points.Keys.append(double(i) * AGroupSize);
    points.Values.append(entry.IsNull() ? std::numeric_limits<double>::quiet_NaN() : entry.AsInteger());
  }
  return points;
}

namespace {

double BinValue(const TDrayBinEntry &AEntry, TBinField AField) {
  switch (AField) {
  case TBinField::ToneBits: return AEntry.ToneBits;
  case TBinField::Gain: return AEntry.Gain / 10.0;
  case TBinField::SNR: return AEntry.SNR;
  }
  return 0;
}

}  // namespace

bool HasBinData(const TDrayBinArray &ATable) {
  return std::any_of(ATable.begin(), ATable.end(), [](const TDrayBinEntry &AEntry) { return AEntry != TDrayBinEntry{}; });
}

TSeriesPoints BinPoints(const TDrayBinArray &ATable, int ACount, TBinField AField) {
  const int count = std::clamp(ACount, 0, DrayBinCount);
  TSeriesPoints points;
  points.Keys.reserve(count);
  points.Values.reserve(count);
  for (int i = 0; i < count; ++i) {
    points.Keys.append(i);
    points.Values.append(BinValue(ATable[i], AField));
  }
  return points;
}
