#include "SeriesData.h"

#include <algorithm>
#include <limits>

#include "ToneEnvelope.h"

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

template <typename T>
TSeriesPoints TonePoints(const std::vector<std::optional<T>> &AValues, double AScale) {
  TSeriesPoints points;
  points.Keys.reserve(qsizetype(AValues.size()));
  points.Values.reserve(qsizetype(AValues.size()));
  for (std::size_t tone = 0; tone < AValues.size(); ++tone) {
    points.Keys.append(double(tone));
    points.Values.append(AValues[tone] ? double(*AValues[tone]) * AScale : std::numeric_limits<double>::quiet_NaN());
  }
  return points;
}
template TSeriesPoints TonePoints(const std::vector<std::optional<double>> &, double);
template TSeriesPoints TonePoints(const std::vector<std::optional<int>> &, double);

TEnvelopePoints EnvelopePoints(const TToneEnvelope &AEnvelope, bool ABits, int ADirection) {
  constexpr double none = std::numeric_limits<double>::quiet_NaN();
  TEnvelopePoints points;
  for (std::size_t tone = 0; tone < AEnvelope.Tones.size(); ++tone) {
    const auto &ranges = ABits ? AEnvelope.Tones[tone].Bits : AEnvelope.Tones[tone].SNR;
    const std::optional<TRange> &range = ranges[std::size_t(ADirection)];
    for (TSeriesPoints *series : {&points.Min, &points.Mean, &points.Max})
      series->Keys.append(double(tone));
    points.Min.Values.append(range ? range->Min : none);
    points.Mean.Values.append(range ? range->Mean : none);
    points.Max.Values.append(range ? range->Max : none);
  }
  return points;
}
