#pragma once
// The key figures of a capture, kept as columns of the database so that a
// timeline needs no snapshot to be read: the rates, margins and attenuations
// the router reports, its Showtime counters, and the line rate of the bits.

#include <cstdint>
#include <optional>

#include "DirectionPair.h"
#include "ReportedFigures.h"

struct TLineAnalysis;

struct TCaptureFigures {
  TDirectionPair<std::optional<std::int64_t>> ActualRate;      // bit/s
  TDirectionPair<std::optional<std::int64_t>> AttainableRate;  // bit/s
  TDirectionPair<std::optional<double>> SNRMargin;             // dB
  TDirectionPair<std::optional<double>> Attenuation;           // dB
  TDirectionPair<std::optional<std::int64_t>> LineRate;        // bit/s, from the bins
  TShowtimeCounters Counters;
  bool operator==(const TCaptureFigures &) const = default;
};

TCaptureFigures CaptureFiguresOf(const TLineAnalysis &AAnalysis);
