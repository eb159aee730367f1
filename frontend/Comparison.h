#pragma once
// Comparing the snapshot shown with a reference snapshot: which one is the
// reference, whether the charts draw the difference from it, and what the
// bit-loading legend counts.

#include <array>
#include <optional>
#include <string>

class TDrayData;

class TComparison {
public:
  const TDrayData *Reference() const { return FReference; }
  bool Difference() const { return FDifference; }

  // Takes AReference when it is a snapshot other than the one shown; gives
  // whether it did. The difference mode stays as it was.
  bool CompareWith(const TDrayData *AReference, const TDrayData *AShown);
  // Only with a reference; without one there is nothing to subtract.
  void SetDifference(bool ADifference);
  void Stop();
  // A snapshot that leaves the list, or is shown itself, stops being the
  // reference: compared with itself a snapshot shows nothing worth a chart.
  // Gives whether the comparison stopped.
  bool Forget(const TDrayData *ASnapshot);

private:
  const TDrayData *FReference = nullptr;
  bool FDifference = false;
};

// Tones of one direction whose bit loading rose and fell from the reference
// to the snapshot shown.
struct TBitsCount {
  std::size_t Gained = 0;
  std::size_t Lost = 0;
  bool operator==(const TBitsCount &) const = default;
};

// Per direction (upstream, downstream): counted only where both snapshots
// have that direction's bins listing.
using TBitsLegend = std::array<std::optional<TBitsCount>, 2>;
TBitsLegend CompareBits(const TDrayData &AReference, const TDrayData &AShown);
// "12 tones gained bits, 3 lost".
std::string BitsCountText(const TBitsCount &ACount);
