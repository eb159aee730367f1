// kl0, the loop's length and bridged taps on generated lines of known
// length, with and without a tap, with the imperfections of real lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DrayData.h"
#include "LineAnalysis.h"
#include "SyntheticLine.h"

namespace {

constexpr double Kl0Tolerance = 1.5;      // dB
constexpr double TapLengthTolerance = 0.2; // of the length

TLineAnalysis AnalyzeSynthetic(const TSyntheticLine &ALine, const TAnalysisOptions &AOptions = {}) {
  TDrayData Data("synthetic");
  FillSynthetic(Data, ALine);
  return AnalyzeLine(Data, AOptions);
}

std::string Describe(const TSyntheticLine &ALine) {
  return std::string(ProfileName(ALine.Profile)) + " kl0 " + std::to_string(ALine.Kl0Db) + " tap " +
         (ALine.TapLengthM ? std::to_string(*ALine.TapLengthM) : "none") + " seed " + std::to_string(ALine.Seed);
}

// Rounding to whole dB and a little noise; and the same with what real lines
// add: a slow ripple, a step between the two ends' measurements, flat loss.
TSyntheticLine Plain(TVDSLProfile AProfile, double AKl0, std::uint32_t ASeed) {
  TSyntheticLine Line;
  Line.Profile = AProfile;
  Line.Kl0Db = AKl0;
  Line.Seed = ASeed;
  return Line;
}

TSyntheticLine Rough(TVDSLProfile AProfile, double AKl0, std::uint32_t ASeed) {
  TSyntheticLine Line = Plain(AProfile, AKl0, ASeed);
  Line.NoiseDb = 1.0;
  Line.WaveDb = 0.8;
  Line.UpstreamOffsetDb = 1.5;
  Line.FlatLossDb = 2;
  return Line;
}

TEST(LoopAndTap, Kl0OnCleanLinesAndNoTap) {
  std::vector<TSyntheticLine> Lines;
  std::uint32_t Seed = 1;
  for (const TVDSLProfile Profile : {vp8b, vp12a, vp17a, vp30a, vp35b})
    for (const double Kl0 : {4.0, 12.0, 25.0, 45.0}) {
      Lines.push_back(Plain(Profile, Kl0, Seed++));
      Lines.push_back(Rough(Profile, Kl0, Seed++));
    }
  for (const TSyntheticLine &Line : Lines) {
    const TLineAnalysis Analysis = AnalyzeSynthetic(Line);
    ASSERT_TRUE(Analysis.Loop.Kl0Db) << Describe(Line);
    EXPECT_NEAR(*Analysis.Loop.Kl0Db, Line.Kl0Db, Kl0Tolerance) << Describe(Line);
    EXPECT_TRUE(Analysis.BridgedTaps.empty()) << Describe(Line) << ": a tap of " << Analysis.BridgedTaps[0].LengthM;
  }
}

struct TTapCase {
  TVDSLProfile Profile;
  double Kl0Db;
  double TapM;
  bool Rough;
};

TEST(LoopAndTap, TapLengthAndKl0OnTappedLines) {
  // Branches from a few metres of in-house wiring to a long field tap; each
  // with its first notch inside the profile's spectrum.
  const TTapCase Cases[] = {
      {vp8b, 20, 12, false},   {vp8b, 35, 60, true},     {vp8b, 10, 200, false}, {vp12a, 25, 9, true},
      {vp12a, 15, 35, false},  {vp17a, 8, 5, false},     {vp17a, 15, 20, true},  {vp17a, 20, 45, false},
      {vp17a, 12, 110, true},  {vp17a, 30, 250, false},  {vp30a, 5, 8, true},    {vp30a, 8, 70, false},
      {vp35b, 4, 3.5, false},  {vp35b, 6, 15, true},     {vp35b, 10, 80, false}, {vp35b, 3, 150, true},
  };
  std::uint32_t Seed = 100;
  for (const TTapCase &Case : Cases) {
    TSyntheticLine Line = (Case.Rough ? Rough : Plain)(Case.Profile, Case.Kl0Db, Seed++);
    Line.TapLengthM = Case.TapM;
    const TLineAnalysis Analysis = AnalyzeSynthetic(Line);
    ASSERT_EQ(Analysis.BridgedTaps.size(), 1u) << Describe(Line);
    const TBridgedTap &Tap = Analysis.BridgedTaps[0];
    EXPECT_NEAR(Tap.LengthM, Case.TapM, TapLengthTolerance * Case.TapM) << Describe(Line);
    EXPECT_NEAR(Tap.FirstNotchHz, 0.67 * SpeedOfLight / (4 * Tap.LengthM), 1) << Describe(Line);
    EXPECT_GE(Tap.DepthDb, 3) << Describe(Line);
    ASSERT_TRUE(Analysis.Loop.Kl0Db) << Describe(Line);
    EXPECT_NEAR(*Analysis.Loop.Kl0Db, Case.Kl0Db, Kl0Tolerance) << Describe(Line);
  }
}

// The notches say where they are; the length they give depends on the VOP.
TEST(LoopAndTap, VelocityOfPropagationSetsTheLength) {
  TSyntheticLine Line = Plain(vp17a, 15, 7);
  Line.VelocityFactor = 0.6;
  Line.TapLengthM = 30;
  TAnalysisOptions Options;
  Options.VelocityFactor = 0.6;
  const TLineAnalysis Right = AnalyzeSynthetic(Line, Options);
  const TLineAnalysis Default = AnalyzeSynthetic(Line);
  ASSERT_EQ(Right.BridgedTaps.size(), 1u);
  ASSERT_EQ(Default.BridgedTaps.size(), 1u);
  EXPECT_NEAR(Right.BridgedTaps[0].LengthM, 30, 30 * TapLengthTolerance);
  EXPECT_NEAR(Default.BridgedTaps[0].FirstNotchHz, Right.BridgedTaps[0].FirstNotchHz,
              0.02 * Right.BridgedTaps[0].FirstNotchHz);
  EXPECT_NEAR(Default.BridgedTaps[0].LengthM / Right.BridgedTaps[0].LengthM, 0.67 / 0.6, 0.02);
}

// The notches of a found tap, as a chart marks them, are where the HLog dips:
// each one deeper than the line half-way to the next.
TEST(LoopAndTap, NotchesToMarkLieInTheNotches) {
  TSyntheticLine Line = Plain(vp17a, 12, 9);
  Line.TapLengthM = 40;
  TDrayData Data("tapped");
  FillSynthetic(Data, Line);
  const TLineAnalysis Analysis = AnalyzeLine(Data);
  ASSERT_EQ(Analysis.BridgedTaps.size(), 1u);
  const TBridgedTap &Tap = Analysis.BridgedTaps[0];
  const std::vector<double> Notches = NotchFrequencies(Tap, 17.664e6);
  // Notches every 2 f1 from f1 up to the top of 17a.
  ASSERT_EQ(Notches.size(), static_cast<std::size_t>((17.664e6 / Tap.FirstNotchHz + 1) / 2));
  const double EntryHz = 8 * 4312.5;
  auto HLogAt = [&](double AHz) -> std::optional<int> {
    const int Entry = static_cast<int>(std::lround(AHz / EntryHz));
    for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
      if (const TStatValue Value = Data.StatTable(TDrayKind::HLog, Direction)[Entry]; Value.HasValue())
        return Value.AsInteger();
    return std::nullopt;
  };
  int Compared = 0;
  for (const double Notch : Notches) {
    const std::optional<int> In = HLogAt(Notch), Between = HLogAt(Notch + Tap.FirstNotchHz);
    if (In && Between) {
      EXPECT_LT(*In, *Between - 3) << Notch;
      ++Compared;
    }
  }
  EXPECT_GE(Compared, 5);
  EXPECT_TRUE(NotchFrequencies({}, 17.664e6).empty());
}

TEST(LoopAndTap, LengthForEachGauge) {
  for (const TCableGauge &Gauge : CableGauges()) {
    // One kilometre of this cable.
    const TSyntheticLine Line = Plain(vp17a, Gauge.DbPerKmAt1MHz, 3);
    TAnalysisOptions Options;
    Options.GaugeMm = Gauge.DiameterMm;
    const TLineAnalysis Analysis = AnalyzeSynthetic(Line, Options);
    EXPECT_EQ(Analysis.Loop.GaugeMm, Gauge.DiameterMm);
    EXPECT_EQ(Analysis.Loop.DbPerKmAt1MHz, Gauge.DbPerKmAt1MHz);
    ASSERT_TRUE(Analysis.Loop.LengthM);
    EXPECT_NEAR(*Analysis.Loop.LengthM, 1000, 1000 * Kl0Tolerance / Gauge.DbPerKmAt1MHz) << Gauge.DiameterMm;
  }
}

TEST(LoopAndTap, NoLengthWithoutACableCurve) {
  TDrayData Data("no hlog");
  Data.SetVDSLProfile(vp17a);
  const TLineAnalysis Analysis = AnalyzeLine(Data);
  EXPECT_FALSE(Analysis.Loop.Kl0Db);
  EXPECT_FALSE(Analysis.Loop.LengthM);
  EXPECT_EQ(Analysis.Loop.GaugeMm, 0.5);
  EXPECT_EQ(Analysis.Loop.DbPerKmAt1MHz, 15.2);
  EXPECT_TRUE(Analysis.BridgedTaps.empty());
  // HLog that rises with frequency: a kl0 to show, but no cable of any length.
  const TLineAnalysis Rising = AnalyzeSynthetic(Plain(vp17a, -5, 4));
  ASSERT_TRUE(Rising.Loop.Kl0Db);
  EXPECT_NEAR(*Rising.Loop.Kl0Db, -5, Kl0Tolerance);
  EXPECT_FALSE(Rising.Loop.LengthM);
}

TEST(LoopAndTap, OptionsOutOfRangeAreRefused) {
  TDrayData Data;
  struct TCase {
    TAnalysisOptions Options;
    const char *Message;
  };
  const TCase Cases[] = {
      {{0.45, 0.67}, "no cable gauge of 0.45 mm; the gauges are 0.4, 0.5 and 0.6 mm"},
      {{0.5, 0}, "a velocity of propagation of 0 is not a fraction of the speed of light"},
      {{0.5, 1.2}, "a velocity of propagation of 1.2 is not a fraction of the speed of light"},
  };
  for (const TCase &Case : Cases) {
    try {
      AnalyzeLine(Data, Case.Options);
      ADD_FAILURE() << Case.Message;
    } catch (const EAnalysisError &AError) {
      EXPECT_STREQ(AError.what(), Case.Message);
    }
  }
}

} // namespace
