#include "SnapshotSummary.h"

#include <cstdio>

#include "AppendFormat.h"
#include "FigureText.h"
#include "DrayData.h"
#include "TableSummary.h"
#include "TerminalText.h"

namespace {

void AppendStatRow(std::string &AText, const char *AKind, const char *ADirection, int AGroupSize,
                   const TDrayStatArray &ATable) {
  const TStatTableSummary S = SummariseStats(ATable);
  AppendFormat(AText, "%-5s %-3s %5d %7d %6d %11d", AKind, ADirection, AGroupSize, S.Values, S.Nulls, S.Unassigned);
  if (S.Values > 0)
    AppendFormat(AText, " %6d %6d\n", S.Min, S.Max);
  else
    AppendFormat(AText, " %6s %6s\n", NoFigureText, NoFigureText);
}

void AppendStatKind(std::string &AText, const char *AKind, TStatMultipliers ASizes, const TDrayStatArray &AUS,
                    const TDrayStatArray &ADS) {
  AppendStatRow(AText, AKind, "US", ASizes[0], AUS);
  AppendStatRow(AText, AKind, "DS", ASizes[1], ADS);
}

void AppendBinRow(std::string &AText, const char *ADirection, const TDrayBinArray &ATable) {
  const TBinTableSummary S = SummariseBins(ATable);
  if (S.Tones == 0) {
    AppendFormat(AText, "Bins  %-3s no tones\n", ADirection);
    return;
  }
  AppendFormat(AText, "Bins  %-3s %d tones, %d loaded, bits max %d, SNR %d..%d dB, gain %d..%d (0.1 dB)\n", ADirection,
         S.Tones, S.LoadedTones, S.MaxBits, S.MinSNR, S.MaxSNR, S.MinGain, S.MaxGain);
}

} // namespace

std::string SnapshotSummary(const TDrayData &AData) {
  std::string Text;
  Text += "Name:          " + TerminalText(AData.Name()) + "\n";
  AppendFormat(Text, "Data version:  %u\n", static_cast<unsigned>(AData.DataVersion()));
  AppendFormat(Text, "VDSL profile:  %s\n", ProfileName(AData.VDSLProfile()));
  AppendFormat(Text, "Status text:   %zu lines\n\n", AData.Stats().size());
  AppendFormat(Text, "%-5s %-3s %5s %7s %6s %11s %6s %6s\n", "Table", "Dir", "Group", "Values", "Null", "Unassigned", "Min",
         "Max");
  AppendStatKind(Text, "HLog", AData.HLogMultipliers(), AData.HLogStatsUS(), AData.HLogStatsDS());
  AppendStatKind(Text, "QLN", AData.QLNMultipliers(), AData.QLNStatsUS(), AData.QLNStatsDS());
  AppendStatKind(Text, "SNR", AData.SNRMultipliers(), AData.SNRStatsUS(), AData.SNRStatsDS());
  Text += '\n';
  AppendBinRow(Text, "US", AData.ShowBinStatsUS());
  AppendBinRow(Text, "DS", AData.ShowBinStatsDS());
  return Text;
}
