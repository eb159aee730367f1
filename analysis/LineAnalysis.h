#pragma once
// What one snapshot says about the line: the figures the router reports,
// figures counted from its tables, the copper's length, bridged taps, radio
// disturbers, and findings in plain words. A pure function of the snapshot;
// every figure the snapshot cannot give is absent.

#include <optional>
#include <string>
#include <vector>

#include "BridgedTap.h"
#include "AnalysisError.h"
#include "CableGauge.h"
#include "DirectionPair.h"
#include "Disturber.h"
#include "Finding.h"
#include "ReportedFigures.h"
#include "ToneFigures.h"
#include "VDSLProfile.h"

class TDrayData;

struct TAnalysisOptions {
  double GaugeMm = DefaultGaugeMm;                    // one of CableGauges()
  double VelocityFactor = DefaultVelocityFactor;      // of the speed of light, 0 < VOP <= 1
};

struct TLoopFigures {
  std::optional<double> Kl0Db;  // loss at 1 MHz, dB; absent without HLog values
  double GaugeMm = 0;
  double DbPerKmAt1MHz = 0;
  std::optional<double> LengthM;  // kl0 over the gauge's loss per metre; absent unless kl0 > 0
  bool operator==(const TLoopFigures &) const = default;
};

struct TLineAnalysis {
  TVDSLProfile Profile = vpNA;
  double ToneSpacingHz = 0;
  int SymbolRate = 0;
  TReportedFigures Reported;
  TDirectionPair<std::optional<TBitFigures>> Bits;  // absent without a bins listing
  TDirectionPair<std::optional<TSNRFigures>> SNR;
  TLoopFigures Loop;
  std::vector<TBridgedTap> BridgedTaps;
  std::vector<TDisturber> Disturbers;  // both directions, by frequency
  std::vector<TFinding> Findings;
};

// Raises EAnalysisError for options out of range (a gauge not in the table,
// a VOP outside (0, 1]).
TLineAnalysis AnalyzeLine(const TDrayData &AData, const TAnalysisOptions &AOptions = {});

// The check AnalyzeLine makes of its options: "" when they are fine, else
// what is wrong ("no cable of 0.45 mm; the gauges are 0.4, 0.5 and 0.6 mm").
std::string CheckAnalysisOptions(const TAnalysisOptions &AOptions);
