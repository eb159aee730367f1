#pragma once
// What the router itself reports about the line in its status text: the
// state, rates, margins and attenuations of "vdsl status", the per-band
// attenuations of "vdsl status bandinfo" and the Showtime counters of
// "vdsl status counts". A figure whose line is not in the text is absent.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DirectionPair.h"
#include "TextLines.h"

// LATN and SATN of one band, in dB; absent where the router printed none.
struct TBandAttenuation {
  std::string Name;  // "US0", "DS1", ... (the router's "U0", "D1" are named so too)
  std::optional<double> LATN;
  std::optional<double> SATN;
  bool operator==(const TBandAttenuation &) const = default;
};

// One counter at the near end (the router) and the far end (the exchange).
struct TCounterPair {
  std::optional<std::int64_t> Near;
  std::optional<std::int64_t> Far;
  bool operator==(const TCounterPair &) const = default;
};

struct TShowtimeCounters {
  TCounterPair ElapsedTime;  // seconds
  TCounterPair CRC;
  TCounterPair FEC;
  TCounterPair ES;
  TCounterPair SES;
  TCounterPair UAS;
  bool operator==(const TShowtimeCounters &) const = default;
};

struct TReportedFigures {
  std::optional<std::string> State;                             // "SHOWTIME"
  TDirectionPair<std::optional<std::int64_t>> ActualRate;       // bit/s
  TDirectionPair<std::optional<std::int64_t>> AttainableRate;   // bit/s
  TDirectionPair<std::optional<double>> SNRMargin;              // dB
  TDirectionPair<std::optional<double>> Attenuation;            // dB
  std::vector<TBandAttenuation> Bands;                          // in the order printed
  TShowtimeCounters Counters;
  bool operator==(const TReportedFigures &) const = default;
};

// The figures of a snapshot's status text (TDrayData::Stats()). The first
// line that gives a figure decides it.
TReportedFigures ReadReportedFigures(const TTextLines &AStats);
