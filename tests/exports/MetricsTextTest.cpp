// The metrics page's line rate: only bins give it, so between the captures
// that read them it stays as the last one had it, with that capture's time.
#include <gtest/gtest.h>

#include <string>

#include "MetricsText.h"

namespace {

TCapture CaptureAt(const std::string &ATime, std::optional<std::int64_t> ALineRateUS) {
  TCapture Capture;
  Capture.Time = ATime;
  Capture.Ok = true;
  Capture.Profile = "17A";
  Capture.Figures.ActualRate.US = 9000000;
  Capture.Figures.LineRate.US = ALineRateUS;
  return Capture;
}

} // namespace

TEST(MetricsText, KeepsTheLineRateOfTheLastCaptureWithBinsAndItsTime) {
  const TCapture WithBins = CaptureAt("2026-12-10T21:45:04Z", 10000000);
  const TCapture WithoutBins = CaptureAt("2026-12-10T21:45:34Z", std::nullopt);
  EXPECT_FALSE(ReadTheBins(WithoutBins));
  ASSERT_TRUE(ReadTheBins(WithBins));
  const std::string Text = MetricsText("R", WithoutBins, WithBins, TWatchCounts{2, 0});
  EXPECT_NE(Text.find("\ntonegraph_line_rate_bytes_per_second{router=\"R\",direction=\"us\"} 1250000\n"),
            std::string::npos)
      << Text;
  EXPECT_NE(Text.find("\n# TYPE tonegraph_last_bins_capture_timestamp_seconds gauge\n"
                      "tonegraph_last_bins_capture_timestamp_seconds{router=\"R\"} 1796939104\n"),
            std::string::npos)
      << Text;
  EXPECT_NE(Text.find("tonegraph_actual_rate_bytes_per_second{router=\"R\",direction=\"us\"} 1125000\n"),
            std::string::npos)
      << Text;
}

TEST(MetricsText, ShowsNoLineRateBeforeAnyCaptureReadTheBins) {
  const std::string Text = MetricsText("R", CaptureAt("2026-12-10T21:45:34Z", std::nullopt), std::nullopt, {});
  EXPECT_EQ(Text.find("tonegraph_line_rate"), std::string::npos) << Text;
  EXPECT_EQ(Text.find("tonegraph_last_bins"), std::string::npos) << Text;
}
