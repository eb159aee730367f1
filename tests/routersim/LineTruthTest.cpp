// What the simulated line says it is must be what its HLog and QLN show: the
// line analysis is tested against these answers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "LineModel.h"

namespace {

constexpr double SpeedOfLightMps = 299792458;

int ToneAt(const TLineModel &AModel, double AMHz) {
  return static_cast<int>(std::lround(AMHz / AModel.FrequencyMHz(1)));
}

// The tone of the lowest HLog within AHalfWidth tones of ATone.
int LowestHLogNear(const TLineModel &AModel, int ATone, int AHalfWidth) {
  int Lowest = ATone;
  for (int Tone = std::max(ATone - AHalfWidth, 1); Tone <= ATone + AHalfWidth && Tone < AModel.ToneCount(); ++Tone)
    if (AModel.HLog(Tone) < AModel.HLog(Lowest))
      Lowest = Tone;
  return Lowest;
}

TLineSetup Line(double ALoopM, double AGaugeMm, double ATapM, double AVelocityFactor = DefaultVelocityFactor) {
  TLineSetup Line;
  Line.LoopLengthM = ALoopM;
  Line.GaugeMm = AGaugeMm;
  Line.TapLengthM = ATapM;
  Line.VelocityFactor = AVelocityFactor;
  return Line;
}

struct TTapCase {
  const char *Name;
  TVDSLProfile Profile;
  TLineSetup Line;
};

class TapNotches : public ::testing::TestWithParam<TTapCase> {};

// Each notch of the series the model names lies at an odd multiple of
// v / (4 * tap length), HLog has its lowest point of the neighbourhood there,
// and it lies well below the same loop without the tap.
TEST_P(TapNotches, FallAtOddMultiplesOfAQuarterWaveAndCutDeep) {
  const TTapCase &Case = GetParam();
  const TLineModel Model(Case.Profile, Case.Line);
  TLineSetup Untapped = Case.Line;
  Untapped.TapLengthM = 0;
  const TLineModel Clean(Case.Profile, Untapped);
  const double FirstMHz = Case.Line.VelocityFactor * SpeedOfLightMps / (4 * Case.Line.TapLengthM) / 1e6;
  const double Top = Model.FrequencyMHz(Model.ToneCount() - 1);

  const std::vector<double> Notches = Model.NotchFrequenciesMHz(0, Top);
  ASSERT_EQ(Notches.size(), static_cast<std::size_t>(std::floor((Top / FirstMHz + 1) / 2)));
  for (std::size_t N = 0; N < Notches.size(); ++N)
    EXPECT_NEAR(Notches[N], static_cast<double>(2 * N + 1) * FirstMHz, 1e-9) << N;

  // Half the distance between notches either side, short of the top.
  const int HalfWidth = ToneAt(Model, FirstMHz);
  const std::vector<double> Inside = Model.NotchFrequenciesMHz(0, Top - FirstMHz);
  ASSERT_FALSE(Inside.empty());
  for (double Notch : Inside) {
    const int Lowest = LowestHLogNear(Model, ToneAt(Model, Notch), HalfWidth);
    EXPECT_NEAR(Model.FrequencyMHz(Lowest), Notch, 0.002 * Notch + 2 * Model.FrequencyMHz(1)) << Notch;
    EXPECT_LT(Model.HLog(Lowest), Clean.HLog(Lowest) - 6) << Notch << " MHz is not deep";
  }
  EXPECT_DOUBLE_EQ(Model.Kl0Db(), -Clean.HLogAt(1.0)) << "the tap is no part of the loop's length";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TapNotches,
    ::testing::Values(TTapCase{"Demo17a", vp17a, DemoLine()}, TTapCase{"Short35b", vp35b, Line(300, 0.4, 12)},
                      TTapCase{"Long8b", vp8b, Line(1500, 0.6, 60, 0.6)},
                      TTapCase{"Fast30a", vp30a, Line(200, 0.5, 25, 0.72)},
                      TTapCase{"InHouse12a", vp12a, Line(700, 0.5, 10)}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

struct TCleanCase {
  const char *Name;
  TVDSLProfile Profile;
  double LoopM;
  double GaugeMm;
};

class CleanLoop : public ::testing::TestWithParam<TCleanCase> {};

// Without a tap HLog falls steadily, by the square root of frequency, from
// -kl0 at 1 MHz, and kl0 is the loop's length times its cable's loss.
TEST_P(CleanLoop, HasNoNotchAndFallsWithTheSquareRootOfFrequencyFromKl0) {
  const TCleanCase &Case = GetParam();
  const TLineModel Model(Case.Profile, Line(Case.LoopM, Case.GaugeMm, 0));
  EXPECT_TRUE(Model.NotchFrequenciesMHz(0, 100).empty());
  int Rises = 0;
  for (int Tone = 2; Tone < Model.ToneCount(); ++Tone)
    Rises += Model.HLog(Tone) >= Model.HLog(Tone - 1);
  EXPECT_EQ(Rises, 0);
  EXPECT_DOUBLE_EQ(Model.Kl0Db(), Case.LoopM / 1000 * FindCableGauge(Case.GaugeMm)->DbPerKmAt1MHz);
  EXPECT_DOUBLE_EQ(Model.HLogAt(1.0), -Model.Kl0Db());
  EXPECT_DOUBLE_EQ(Model.HLogAt(4.0), -2 * Model.Kl0Db());
  EXPECT_DOUBLE_EQ(Model.HLogAt(0.25), -Model.Kl0Db() / 2);
  EXPECT_DOUBLE_EQ(Model.HLog(ToneAt(Model, 6.0)), Model.HLogAt(Model.FrequencyMHz(ToneAt(Model, 6.0))));
}

INSTANTIATE_TEST_SUITE_P(Lines, CleanLoop,
                         ::testing::Values(TCleanCase{"Thin8b", vp8b, 1200, 0.4},
                                           TCleanCase{"Usual17a", vp17a, 500, 0.5},
                                           TCleanCase{"Thick35b", vp35b, 250, 0.6},
                                           TCleanCase{"Long30a", vp30a, 2000, 0.5}),
                         [](const auto &AInfo) { return std::string(AInfo.param.Name); });

struct TNoiseCase {
  const char *Name;
  TVDSLProfile Profile;
  std::vector<TLineDisturber> Disturbers;
};

class Disturbers : public ::testing::TestWithParam<TNoiseCase> {};

// At the tone nearest its centre a disturber stands its rise above the
// floor; 100 kHz and more from every centre the noise is the floor.
TEST_P(Disturbers, RaiseQLNByTheirRiseAtTheirCentreAndNowhereElse) {
  const TNoiseCase &Case = GetParam();
  TLineSetup Setup;
  Setup.Disturbers = Case.Disturbers;
  const TLineModel Model(Case.Profile, Setup);
  EXPECT_EQ(Model.Disturbers(), Case.Disturbers);
  for (const TLineDisturber &Disturber : Case.Disturbers) {
    const int Centre = ToneAt(Model, Disturber.CentreMHz);
    EXPECT_NEAR(Model.QLN(Centre) - Model.NoiseFloor(Centre), Disturber.RiseDb, 0.5) << Disturber.CentreMHz;
  }
  int Far = 0;
  for (int Tone = 0; Tone < Model.ToneCount(); ++Tone) {
    EXPECT_GE(Model.QLN(Tone), Model.NoiseFloor(Tone)) << Tone;
    const bool Near = std::any_of(Case.Disturbers.begin(), Case.Disturbers.end(), [&](const TLineDisturber &ADisturber) {
      return std::fabs(Model.FrequencyMHz(Tone) - ADisturber.CentreMHz) < 0.1;
    });
    if (!Near) {
      EXPECT_DOUBLE_EQ(Model.QLN(Tone), Model.NoiseFloor(Tone)) << Tone;
      ++Far;
    }
  }
  EXPECT_GT(Far, Model.ToneCount() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Disturbers,
    ::testing::Values(TNoiseCase{"None17a", vp17a, {}}, TNoiseCase{"Amateur40m17a", vp17a, {{7.1, 20}}},
                      TNoiseCase{"Several35b", vp35b, {{0.999, 12}, {14.2, 30}, {28.5, 45}}},
                      TNoiseCase{"BandEdges8b", vp8b, {{0.1, 25}, {8.8, 15}}},
                      TNoiseCase{"WideTones30a", vp30a, {{3.6, 20}, {21.45, 8}}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

} // namespace
