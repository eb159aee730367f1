// Findings in plain words: a line with something of every kind wrong, and a
// healthy line with nothing to say.
#include <gtest/gtest.h>

#include <regex>

#include "BandPlan.h"
#include "DrayData.h"
#include "LineAnalysis.h"
#include "SyntheticLine.h"

namespace {

TLineAnalysis AnalyzeWithStatus(const TSyntheticLine &ALine, const TTextLines &AStatus) {
  TDrayData Data("findings");
  FillSynthetic(Data, ALine);
  Data.AddStatData({}, &AStatus);
  return AnalyzeLine(Data);
}

const TTextLines GoodMargins = {"  NE Current Attenuation  :        9 dB    Cur SNR Margin       :        9  dB",
                                "  Far Current Attenuation :        7 dB    Far SNR Margin       :        8  dB"};

TEST(Findings, EveryKindOnOneBadLine) {
  TSyntheticLine Line;
  Line.Profile = vp17a;
  Line.Kl0Db = 30;  // beyond the usual 23 dB of 17a
  Line.TapLengthM = 20;
  Line.Peaks = {{7.1e6, 16}, {9.6e6, 26}};
  Line.SNRDb = 12;
  Line.EmptyBands = {"US0", "DS3"};
  const TTextLines Status = {"  Cur SNR Margin       :        3  dB", "  Far SNR Margin       :      5.5  dB"};
  const TLineAnalysis Analysis = AnalyzeWithStatus(Line, Status);
  struct TExpected {
    TFindingKind Kind;
    TSeverity Severity;
    const char *Text;  // a pattern where the figure is measured
  };
  const TExpected Expected[] = {
      {TFindingKind::BridgedTap, TSeverity::Warning,
       R"(Bridged tap of about 2[0-9] m: notches at odd multiples of 2\.[0-9]{2} MHz, )"
       R"(the first [0-9]+\.[0-9] dB deep)"},
      {TFindingKind::Disturber, TSeverity::Info,
       R"(Disturber in the 40 m amateur band at 7\.[01][0-9] MHz, 1[0-9]\.[0-9] dB above the noise around it)"},
      {TFindingKind::Disturber, TSeverity::Warning,
       R"(Disturber in the 31 m broadcast band at 9\.[56][0-9] MHz, 2[0-9]\.[0-9] dB above the noise around it)"},
      {TFindingKind::LowSNR, TSeverity::Warning, R"(Upstream mean SNR is low: 12\.0 dB \(below 15 dB\))"},
      {TFindingKind::LowSNR, TSeverity::Warning, R"(Downstream mean SNR is low: 12\.0 dB \(below 15 dB\))"},
      {TFindingKind::LowMargin, TSeverity::Warning, R"(Upstream SNR margin is low: 5\.5 dB \(below 6 dB\))"},
      {TFindingKind::LowMargin, TSeverity::Warning, R"(Downstream SNR margin is low: 3\.0 dB \(below 6 dB\))"},
      {TFindingKind::EmptyBand, TSeverity::Info, R"(Band US0 \(upstream, tones 6 to 32\) has no tones loaded)"},
      {TFindingKind::EmptyBand, TSeverity::Warning,
       R"(Band DS3 \(downstream, tones 2783 to 4095\) has no tones loaded)"},
      {TFindingKind::Attenuation, TSeverity::Warning,
       R"(Loop attenuation kl0 (29\.[0-9]|3[01]\.[0-9]) dB is beyond the usual 23 dB for profile 17A)"},
  };
  ASSERT_EQ(Analysis.Findings.size(), std::size(Expected));
  for (std::size_t I = 0; I < std::size(Expected); ++I) {
    const TFinding &Finding = Analysis.Findings[I];
    EXPECT_EQ(FindingKindName(Finding.Kind), std::string(FindingKindName(Expected[I].Kind))) << Finding.Text;
    EXPECT_EQ(SeverityName(Finding.Severity), std::string(SeverityName(Expected[I].Severity))) << Finding.Text;
    EXPECT_TRUE(std::regex_match(Finding.Text, std::regex(Expected[I].Text))) << Finding.Text;
  }
}

// A healthy line of each profile: no tap, no disturber, every band loaded,
// good SNR and margins, kl0 within the usual range.
TEST(Findings, NoneOnAHealthyLine) {
  for (const TVDSLProfile Profile : {vp8b, vp12a, vp17a, vp30a, vp35b}) {
    TSyntheticLine Line;
    Line.Profile = Profile;
    Line.Kl0Db = 6;
    const TLineAnalysis Analysis = AnalyzeWithStatus(Line, GoodMargins);
    for (const TFinding &Finding : Analysis.Findings)
      ADD_FAILURE() << ProfileName(Profile) << ": " << Finding.Text;
  }
}

// The band plans reach to each profile's top tone (8a to 8d to 8.5 MHz),
// bands in order without gaps or overlaps, alternating in direction.
TEST(Findings, BandPlansCoverEachProfile) {
  struct TCase {
    TVDSLProfile Profile;
    int FirstTone, LastTone;
    std::size_t Bands;
  };
  const TCase Cases[] = {{vpNA, 0, -1, 0},       {vp8a, 6, 1971, 4},    {vp8c, 6, 1971, 4},
                         {vp12b, 6, 2782, 5},    {vp17a, 6, 4095, 6},   {vp30a, 3, 3478, 7},
                         {vp35b, 6, 8191, 7}};
  for (const TCase &Case : Cases) {
    const std::vector<TPlanBand> Plan = BandPlanOf(Case.Profile);
    ASSERT_EQ(Plan.size(), Case.Bands) << ProfileName(Case.Profile);
    if (Plan.empty())
      continue;
    EXPECT_EQ(Plan.front().FirstTone, Case.FirstTone);
    EXPECT_EQ(Plan.back().LastTone, Case.LastTone);
    EXPECT_LT(Plan.back().LastTone, ProfileToneCount(Case.Profile));
    for (std::size_t I = 1; I < Plan.size(); ++I) {
      EXPECT_EQ(Plan[I].FirstTone, Plan[I - 1].LastTone + 1) << Plan[I].Name;
      // 35b's DS4 follows DS3 directly.
      if (std::string_view(Plan[I].Name) != "DS4") {
        EXPECT_NE(Plan[I].Direction, Plan[I - 1].Direction) << Plan[I].Name;
      }
    }
  }
}

} // namespace
