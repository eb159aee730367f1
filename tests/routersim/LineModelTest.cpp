// The simulated line as a whole: it draws like a real line, the demo's line
// has something to find, and a setup it cannot draw is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Exceptions.h"
#include "LineModel.h"

namespace {

class LineModelShape : public ::testing::TestWithParam<TVDSLProfile> {};

// The model is meant to draw like a real line; these are the traits a
// reader of the charts relies on.
TEST_P(LineModelShape, LooksLikeARealLine) {
  const TLineModel Model(GetParam(), DemoLine());
  const TDirection DS = TDirection::Downstream, US = TDirection::Upstream;
  EXPECT_EQ(Model.ToneCount(), ProfileToneCount(GetParam()));
  EXPECT_GE(Model.GroupSize() * DrayStatCount, Model.ToneCount());
  EXPECT_LT(Model.GroupSize() * DrayStatCount / 2, Model.ToneCount());
  const int Last = Model.ToneCount() - 1;
  EXPECT_GT(Model.HLog(100), Model.HLog(Last) + 10) << "attenuation rises with frequency";
  int Loaded = 0;
  for (int Tone = 0; Tone < Model.ToneCount(); ++Tone) {
    EXPECT_FALSE(Model.InBand(Tone, DS) && Model.InBand(Tone, US));
    if (!Model.InBand(Tone, DS)) {
      EXPECT_EQ(Model.Bits(Tone, DS), 0);
    }
    EXPECT_GE(Model.QLN(Tone), -150);
    EXPECT_LE(Model.QLN(Tone), -90);
    Loaded += Model.Bits(Tone, DS) > 0;
  }
  EXPECT_GT(Loaded, Model.ToneCount() / 3);
  EXPECT_GT(Model.RateBps(DS), Model.RateBps(US));
}

INSTANTIATE_TEST_SUITE_P(Profiles, LineModelShape, ::testing::Values(vp8b, vp17a, vp30a, vp35b),
                         [](const auto &AInfo) { return std::string(ProfileName(AInfo.param)); });

TEST(LineModel, RadioDisturberStandsOutOfTheNoiseFloor) {
  const TLineModel Model(vp17a, DemoLine());
  const int Amateur40m = static_cast<int>(7.1 / 0.0043125);
  EXPECT_GT(Model.QLN(Amateur40m), Model.QLN(Amateur40m + 100) + 10);
  EXPECT_LT(Model.SNR(Amateur40m, TDirection::Downstream),
            Model.SNR(Amateur40m + 100, TDirection::Downstream) - 5);
}

// Whatever the profile, the demo's line shows a tap by at least two notches
// above the lowest downstream tone, and its disturber lies in the spectrum.
TEST(LineModel, TheDemoLineHasSomethingToFindOnEveryProfile) {
  for (TVDSLProfile Profile : {vp8a, vp8b, vp8c, vp8d, vp12a, vp12b, vp17a, vp30a, vp35b}) {
    const TLineModel Model(Profile, DemoLine());
    const double Top = Model.FrequencyMHz(Model.ToneCount() - 1);
    double LowestDownstream = Top;
    for (const TLineBand &Band : Model.Bands())
      if (Band.Direction == TDirection::Downstream)
        LowestDownstream = std::min(LowestDownstream, Model.FrequencyMHz(Band.First));
    EXPECT_GE(Model.NotchFrequenciesMHz(LowestDownstream, Top).size(), 2u) << ProfileName(Profile);
    ASSERT_EQ(Model.Disturbers().size(), 1u) << ProfileName(Profile);
    EXPECT_LT(Model.Disturbers()[0].CentreMHz, Top) << ProfileName(Profile);
  }
}

TEST(LineModel, ASetupItCannotDrawIsRefusedWithItsReason) {
  const struct {
    const char *Name;
    void (*Change)(TLineSetup &);
    const char *Message;
  } Cases[] = {
      {"gauge", [](TLineSetup &A) { A.GaugeMm = 0.45; }, "No cable of 0.45 mm: the gauges are 0.4, 0.5 and 0.6 mm"},
      {"loop", [](TLineSetup &A) { A.LoopLengthM = -1; }, "A loop of -1 m cannot be"},
      {"tap", [](TLineSetup &A) { A.TapLengthM = -0.5; }, "A bridged tap of -0.5 m cannot be"},
      {"no velocity", [](TLineSetup &A) { A.VelocityFactor = 0; }, "A velocity factor of 0 is not between 0 and 1"},
      {"faster than light", [](TLineSetup &A) { A.VelocityFactor = 1.2; },
       "A velocity factor of 1.2 is not between 0 and 1"},
      {"above 35b", [](TLineSetup &A) { A.Disturbers = {{7.1, 20}, {35.4, 20}}; },
       "A disturber at 35.4 MHz lies outside 0 to 35.328 MHz"},
      {"no rise", [](TLineSetup &A) { A.Disturbers = {{7.1, 0}}; }, "A disturber needs a rise above 0 dB, not 0 dB"},
  };
  for (const auto &Case : Cases) {
    TLineSetup Line;
    Case.Change(Line);
    try {
      TLineModel Model(vp17a, Line);
      ADD_FAILURE() << Case.Name << ": accepted";
    } catch (const ETonegraphError &AError) {
      EXPECT_STREQ(AError.what(), Case.Message) << Case.Name;
    }
  }
}

} // namespace
