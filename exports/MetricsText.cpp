#include "MetricsText.h"

#include <cstdio>

#include "HistoryTime.h"

namespace {

// Label values escape backslash, double quote and line feed.
std::string Escaped(const std::string &AValue) {
  std::string Out;
  for (const char C : AValue) {
    if (C == '\\' || C == '"')
      Out += '\\';
    if (C == '\n') {
      Out += "\\n";
      continue;
    }
    Out += C;
  }
  return Out;
}

std::string Number(double AValue) {
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.17g", AValue);
  return Text;
}

class TMetrics {
public:
  explicit TMetrics(const std::string &ARouter) : FRouter("router=\"" + Escaped(ARouter) + "\"") {}

  void Family(const char *AName, const char *AType, const char *AHelp) {
    FText += std::string("# HELP ") + AName + " " + AHelp + "\n# TYPE " + AName + " " + AType + "\n";
    FName = AName;
  }
  template <typename T> void Sample(const std::optional<T> &AValue, const char *ALabel = nullptr) {
    if (!AValue)
      return;
    FText += FName + "{" + FRouter + (ALabel ? std::string(",") + ALabel : "") + "} " +
             Number(static_cast<double>(*AValue)) + "\n";
  }
  template <typename T> void Directions(const TDirectionPair<std::optional<T>> &APair) {
    Sample(APair.US, "direction=\"us\"");
    Sample(APair.DS, "direction=\"ds\"");
  }
  void Ends(const TCounterPair &APair) {
    Sample(APair.Near, "end=\"near\"");
    Sample(APair.Far, "end=\"far\"");
  }
  const std::string &Text() const { return FText; }

private:
  std::string FRouter;
  std::string FName;
  std::string FText;
};

TDirectionPair<std::optional<double>> InBytes(const TDirectionPair<std::optional<std::int64_t>> &ABits) {
  TDirectionPair<std::optional<double>> Bytes;
  if (ABits.US)
    Bytes.US = static_cast<double>(*ABits.US) / 8;
  if (ABits.DS)
    Bytes.DS = static_cast<double>(*ABits.DS) / 8;
  return Bytes;
}

} // namespace

bool ReadTheBins(const TCapture &ACapture) {
  return ACapture.Figures.LineRate.US.has_value() || ACapture.Figures.LineRate.DS.has_value();
}

std::string MetricsText(const std::string &ARouter, const std::optional<TCapture> &ALatest,
                        const std::optional<TCapture> &ALastBins, const TWatchCounts &ACounts) {
  TMetrics M(ARouter);
  M.Family("tonegraph_captures_total", "counter", "Captures attempted since the watch started.");
  M.Sample(std::optional<std::int64_t>(ACounts.Captures));
  M.Family("tonegraph_capture_failures_total", "counter", "Captures that failed since the watch started.");
  M.Sample(std::optional<std::int64_t>(ACounts.Failures));
  if (!ALatest)
    return M.Text();
  const TCaptureFigures &F = ALatest->Figures;
  // Prometheus counts data in bytes; a dashboard shows them as bit/s again.
  M.Family("tonegraph_actual_rate_bytes_per_second", "gauge", "Actual rate the router reports.");
  M.Directions(InBytes(F.ActualRate));
  M.Family("tonegraph_attainable_rate_bytes_per_second", "gauge", "Attainable rate the router reports.");
  M.Directions(InBytes(F.AttainableRate));
  if (ALastBins) {
    M.Family("tonegraph_line_rate_bytes_per_second", "gauge", "Rate the bit loading carries.");
    M.Directions(InBytes(ALastBins->Figures.LineRate));
    M.Family("tonegraph_last_bins_capture_timestamp_seconds", "gauge",
             "Time of the capture that read the bins the line rate comes from.");
    M.Sample(ParseUtcTime(ALastBins->Time));
  }
  M.Family("tonegraph_snr_margin_db", "gauge", "SNR margin the router reports.");
  M.Directions(F.SNRMargin);
  M.Family("tonegraph_attenuation_db", "gauge", "Attenuation the router reports.");
  M.Directions(F.Attenuation);
  const TShowtimeCounters &C = F.Counters;
  M.Family("tonegraph_showtime_seconds", "gauge", "Time since the line came up.");
  M.Ends(C.ElapsedTime);
  M.Family("tonegraph_crc_errors", "gauge", "CRC errors since the line came up.");
  M.Ends(C.CRC);
  M.Family("tonegraph_fec_corrections", "gauge", "FEC corrections since the line came up.");
  M.Ends(C.FEC);
  M.Family("tonegraph_errored_seconds", "gauge", "Errored seconds since the line came up.");
  M.Ends(C.ES);
  M.Family("tonegraph_severely_errored_seconds", "gauge", "Severely errored seconds since the line came up.");
  M.Ends(C.SES);
  M.Family("tonegraph_unavailable_seconds", "gauge", "Unavailable seconds since the line came up.");
  M.Ends(C.UAS);
  return M.Text();
}
