#include "AnalysisSummary.h"

#include <cinttypes>
#include <cstdio>
#include <type_traits>

#include "AppendFormat.h"
#include "DrayKindState.h"
#include "FigureText.h"
#include "LineAnalysis.h"

namespace {

std::string Text(const std::optional<std::int64_t> &AValue, const char *AUnit) {
  if (!AValue)
    return NoFigureText;
  char Value[64];
  std::snprintf(Value, sizeof Value, "%" PRId64 "%s", *AValue, AUnit);
  return Value;
}

std::string Text(const std::optional<double> &AValue, const char *AFormat) {
  if (!AValue)
    return NoFigureText;
  char Value[64];
  std::snprintf(Value, sizeof Value, AFormat, *AValue);
  return Value;
}

template <typename T, typename TUnit>
void AppendPair(std::string &AText, const char *ATitle, const TDirectionPair<std::optional<T>> &APair, TUnit AUnit) {
  AppendFormat(AText, "  %-20s %-18s %s\n", ATitle, Text(APair.US, AUnit).c_str(), Text(APair.DS, AUnit).c_str());
}

void AppendReported(std::string &AText, const TReportedFigures &AFigures) {
  AppendFormat(AText, "Reported by the router   %-18s %s\n", "US", "DS");
  AppendFormat(AText, "  %-20s %s\n", "State", AFigures.State ? AFigures.State->c_str() : NoFigureText);
  AppendPair(AText, "Actual rate", AFigures.ActualRate, " bit/s");
  AppendPair(AText, "Attainable rate", AFigures.AttainableRate, " bit/s");
  AppendPair(AText, "SNR margin", AFigures.SNRMargin, "%.1f dB");
  AppendPair(AText, "Attenuation", AFigures.Attenuation, "%.1f dB");
  for (const TBandAttenuation &Band : AFigures.Bands)
    AppendFormat(AText, "  %-20s LATN %s, SATN %s\n", Band.Name.c_str(), Text(Band.LATN, "%.1f dB").c_str(),
           Text(Band.SATN, "%.1f dB").c_str());
  const TShowtimeCounters &C = AFigures.Counters;
  AppendFormat(AText, "  Since showtime       %-18s %s\n", "near end", "far end");
  const std::pair<const char *, const TCounterPair *> Counters[] = {
      {"ElapsedTime", &C.ElapsedTime}, {"CRC", &C.CRC}, {"FEC", &C.FEC},
      {"ES", &C.ES},                   {"SES", &C.SES}, {"UAS", &C.UAS}};
  for (const auto &[Name, Counter] : Counters)
    AppendFormat(AText, "    %-18s %-18s %s\n", Name, Text(Counter->Near, "").c_str(), Text(Counter->Far, "").c_str());
}

// One field of a direction's figures, for both directions.
template <typename TFigures, typename TField,
          typename TValue = std::conditional_t<std::is_integral_v<TField>, std::int64_t, double>>
TDirectionPair<std::optional<TValue>> FieldOf(const TDirectionPair<std::optional<TFigures>> &AFigures,
                                             TField TFigures::*AField) {
  TDirectionPair<std::optional<TValue>> Pair;
  for (const TDirection Direction : DrayDirections)
    if (AFigures[Direction])
      Pair[Direction] = (*AFigures[Direction]).*AField;
  return Pair;
}

void AppendTables(std::string &AText, const TLineAnalysis &AAnalysis) {
  AppendFormat(AText, "From the tables          %-18s %s\n", "US", "DS");
  AppendPair(AText, "Tones in use", FieldOf(AAnalysis.Bits, &TBitFigures::TonesInUse), "");
  AppendPair(AText, "Bits per symbol", FieldOf(AAnalysis.Bits, &TBitFigures::TotalBits), "");
  AppendPair(AText, "Most bits on a tone", FieldOf(AAnalysis.Bits, &TBitFigures::MaxBits), "");
  AppendPair(AText, "Line rate", FieldOf(AAnalysis.Bits, &TBitFigures::LineRate), " bit/s");
  AppendPair(AText, "Mean SNR", FieldOf(AAnalysis.SNR, &TSNRFigures::Mean), "%.1f dB");
  AppendPair(AText, "Lowest SNR", FieldOf(AAnalysis.SNR, &TSNRFigures::Min), "%.1f dB");
}

void AppendLoop(std::string &AText, const TLineAnalysis &AAnalysis) {
  const TLoopFigures &Loop = AAnalysis.Loop;
  AppendFormat(AText, "Loop\n");
  AppendFormat(AText, "  %-20s %s\n", "kl0", Text(Loop.Kl0Db, "%.1f dB at 1 MHz").c_str());
  AppendFormat(AText, "  %-20s %s of %.1f mm cable (%.1f dB/km at 1 MHz)\n", "Length", Text(Loop.LengthM, "%.0f m").c_str(),
         Loop.GaugeMm, Loop.DbPerKmAt1MHz);
  AppendFormat(AText, "Bridged taps%s\n", AAnalysis.BridgedTaps.empty() ? ": none" : "");
  for (const TBridgedTap &Tap : AAnalysis.BridgedTaps)
    AppendFormat(AText, "  about %.0f m: first notch at %.2f MHz, %.1f dB deep\n", Tap.LengthM, Tap.FirstNotchHz / 1e6,
           Tap.DepthDb);
  AppendFormat(AText, "Disturbers%s\n", AAnalysis.Disturbers.empty() ? ": none" : "");
  for (const TDisturber &D : AAnalysis.Disturbers)
    AppendFormat(AText, "  tone %d at %.3f MHz, %.1f dB above the floor%s%s\n", D.Tone, D.FrequencyHz / 1e6, D.RiseDb,
           D.Band ? ", " : "", D.Band ? D.Band->c_str() : "");
}

} // namespace

std::string AnalysisSummary(const TLineAnalysis &AAnalysis) {
  std::string Text;
  AppendFormat(Text, "VDSL profile: %s (tones %.1f Hz apart, %d symbols/s)\n\n", ProfileName(AAnalysis.Profile),
         AAnalysis.ToneSpacingHz, AAnalysis.SymbolRate);
  AppendReported(Text, AAnalysis.Reported);
  AppendFormat(Text, "\n");
  AppendTables(Text, AAnalysis);
  AppendFormat(Text, "\n");
  AppendLoop(Text, AAnalysis);
  AppendFormat(Text, "\nFindings%s\n", AAnalysis.Findings.empty() ? ": none" : "");
  for (const TFinding &Finding : AAnalysis.Findings)
    AppendFormat(Text, "  %-8s %s\n", SeverityName(Finding.Severity), Finding.Text.c_str());
  return Text;
}
