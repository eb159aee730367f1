#pragma once
// The one recipe that draws a snapshot's table into a chart, for the window,
// its comparisons and picture export alike: the tone axis for the profile,
// the series of both directions (upstream "US" first), the notice of a
// snapshot without bins, and the look. Drawing only adds series; callers
// clear a chart before they redraw it.

#include <optional>
#include <string_view>
#include <vector>

#include "ChartLook.h"
#include "SeriesData.h"

class TDrayData;
class TToneChart;

// BinSNR draws both directions into one chart; the window shows them on two,
// one direction each.
enum class TChartKind { HLog, QLN, SNR, Bits, Gain, BinSNR, BinSNRUS, BinSNRDS };

// "hlog", "qln", "snr", "bits", "gain", "binsnr"; empty for any other name.
std::optional<TChartKind> ChartKindFromName(std::string_view AName);

void DrawTable(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook);

// The points of one direction of AKind's table as DrawTable draws them; a
// per-bin SNR kind gives its bins whichever direction it shows.
TSeriesPoints TablePoints(const TDrayData &AData, TChartKind AKind, TDirection ADirection, const TChartLook &ALook);

// The directions a chart of AKind shows, upstream first.
std::vector<TDirection> ChartDirections(TChartKind AKind);
bool IsBinSNR(TChartKind AKind);

// Whether AData has a bins listing in either direction.
bool HasBins(const TDrayData &AData);
