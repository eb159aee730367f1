#pragma once
// Plain-language statements about the line, each with its kind and how much
// it matters, drawn from the figures of the analysis. The thresholds:
//
// - lowSnr: a direction's mean SNR below LowMeanSNRDb. A tone carries about
//   (SNR - 9.75 dB gap - 6 dB margin + ~5 dB coding gain) / 3 dB bits, so
//   below 15 dB the average tone holds less than two bits.
// - lowMargin: a reported SNR margin below LowMarginDb, the target margin
//   operators usually train lines to; a line below it has lost noise
//   headroom since it came up and risks errors and resyncs.
// - emptyBand: a band of the profile's band plan in which no tone of its
//   direction carries a bit (needs the bins listing of that direction). US0
//   is often switched off by the operator, so for it this is only info.
// - attenuation: kl0 above the usual ceiling for the profile, taken from the
//   loop lengths each profile is deployed on, at 15.2 dB/km (0.5 mm):
//   8a-8d 3 km (45 dB), 12a/12b 2 km (30 dB), 17a 1.5 km (23 dB),
//   30a 0.6 km (9 dB), 35b 0.8 km (12 dB). A line beyond it runs, but far
//   below the rates the profile is chosen for.
// - bridgedTap: every tap found, a warning.
// - disturber: every disturber found; a warning from StrongDisturberDb up.
// - groupSize: a table whose group size puts values past the profile's last
//   tone (GroupSizeCheck.h), a warning: the table is left out.

#include <optional>
#include <string>
#include <vector>

#include "VDSLProfile.h"

enum class TFindingKind { BridgedTap, Disturber, LowSNR, LowMargin, EmptyBand, Attenuation, GroupSize };
enum class TSeverity { Info, Warning };

struct TFinding {
  TFindingKind Kind;
  TSeverity Severity;
  std::string Text;
  bool operator==(const TFinding &) const = default;
};

inline constexpr double LowMeanSNRDb = 15;
inline constexpr double LowMarginDb = 6;
inline constexpr double StrongDisturberDb = 20;

// "groupSize", "bridgedTap", "disturber", "lowSnr", "lowMargin", "emptyBand",
// "attenuation".
const char *FindingKindName(TFindingKind AKind);
// "info", "warning".
const char *SeverityName(TSeverity ASeverity);

// The usual ceiling of kl0 on AProfile, dB; none for N/A.
std::optional<double> UsualKl0CeilingDb(TVDSLProfile AProfile);

class TDrayData;
struct TLineAnalysis;

// The findings of an analysis of AData: group sizes that do not fit, taps,
// disturbers, low SNR, low margins, empty bands, attenuation, in that order.
std::vector<TFinding> FindingsOf(const TLineAnalysis &AAnalysis, const TDrayData &AData);
