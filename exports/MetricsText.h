#pragma once
// The latest capture's key figures in the Prometheus text exposition format
// (version 0.0.4): gauges labelled with the router's name (and direction or
// end), and counters of the captures attempted and failed.

#include <cstdint>
#include <optional>
#include <string>

#include "Capture.h"

struct TWatchCounts {
  std::int64_t Captures = 0;
  std::int64_t Failures = 0;
};

// ALatest: the last capture that succeeded, if any. ALastBins: the last one
// that read the bins, which alone give the line rate; a watch that reads them
// only every Nth capture keeps showing that rate, with its capture's time.
std::string MetricsText(const std::string &ARouter, const std::optional<TCapture> &ALatest,
                        const std::optional<TCapture> &ALastBins, const TWatchCounts &ACounts);

// A capture that read the bins listing.
bool ReadTheBins(const TCapture &ACapture);
