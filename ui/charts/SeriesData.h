#pragma once
// The points each chart series shows, worked out from a snapshot's tables
// without any widget.

#include <cstdint>
#include <optional>
#include <vector>

#include <QVector>

#include "StatValue.h"

struct TSeriesPoints {
  QVector<double> Keys;
  QVector<double> Values;  // NaN where the router gave no value
};

// Entry i of a per-tone-group table at tone i * AGroupSize; a null entry
// becomes NaN so that the line breaks there, an unassigned one reads as 0.
TSeriesPoints StatLinePoints(const TDrayStatArray &ATable, std::uint8_t AGroupSize);

enum class TBinField { ToneBits, Gain, SNR };

// Whether a bins table holds any line of a bins listing: one never filled
// (retrieved without bins, or loaded without a bins file) is all zeros.
bool HasBinData(const TDrayBinArray &ATable);

// Tones 0 .. ACount - 1 of a bins table; gain is shown in dB (tenths / 10).
TSeriesPoints BinPoints(const TDrayBinArray &ATable, int ACount, TBinField AField);

// One point per tone, NaN where there is no value; AScale multiplies each.
template <typename T>
TSeriesPoints TonePoints(const std::vector<std::optional<T>> &AValues, double AScale = 1);

struct TToneEnvelope;
struct TEnvelopePoints {
  TSeriesPoints Min, Mean, Max;
};
// The range of SNR (ABits false) or bits of one direction (0 upstream) over
// the tones of an envelope.
TEnvelopePoints EnvelopePoints(const TToneEnvelope &AEnvelope, bool ABits, int ADirection);
