// The line analysis against lines whose answer is known: the simulated router
// serves a line of chosen loop, tap and radio disturbers over Telnet, the
// snapshot is retrieved as a user retrieves one, and what the analysis reads
// from it must be what the line was made of.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "DrayData.h"
#include "LineAnalysis.h"
#include "LineModel.h"
#include "RetrievalRun.h"
#include "RouterSim.h"

namespace {

constexpr TDirection US = TDirection::Upstream, DS = TDirection::Downstream;

struct TInjected {
  TLineDisturber Disturber;
  std::optional<std::string> Band;
};

struct TLineCase {
  const char *Name;
  TVDSLProfile Profile;
  double LoopM;
  double GaugeMm;
  double TapM;  // 0: a clean line
  double VelocityFactor;
  std::vector<TInjected> Disturbers;
};

void PrintTo(const TLineCase &ACase, std::ostream *AOut) { *AOut << ACase.Name; }

TLineSetup SetupOf(const TLineCase &ACase) {
  TLineSetup Line;
  Line.LoopLengthM = ACase.LoopM;
  Line.GaugeMm = ACase.GaugeMm;
  Line.TapLengthM = ACase.TapM;
  Line.VelocityFactor = ACase.VelocityFactor;
  for (const TInjected &Injected : ACase.Disturbers)
    Line.Disturbers.push_back(Injected.Disturber);
  return Line;
}

void Retrieve(const TRouterSimOptions &AOptions, TDrayData &AData) {
  TRouterSim Sim(AOptions);
  Sim.Start();
  TRetrievalRequest Request;
  Request.Host = "127.0.0.1";
  Request.Port = Sim.Port();
  Request.User = AOptions.User;
  Request.Password = AOptions.Password;
  Request.Bins = true;
  const TRetrievalOutcome Outcome = RunRetrieval(Request, AData);
  ASSERT_EQ(Outcome.End, TRetrievalEnd::Complete) << Outcome.Reason;
}

class SimulatedLine : public ::testing::TestWithParam<TLineCase> {};

// kl0 within 1.5 dB, the tap's length within 20 %, no tap on a clean line,
// each disturber within two QLN entries of its centre and in its band, and
// the bits and line rates exactly those the line loads.
TEST_P(SimulatedLine, AnalysisFindsWhatTheLineIsMadeOf) {
  const TLineCase &Case = GetParam();
  TRouterSimOptions Options;
  Options.Profile = Case.Profile;
  Options.Line = SetupOf(Case);
  const TLineModel Model(Case.Profile, Options.Line);
  TDrayData Data("simulated");
  ASSERT_NO_FATAL_FAILURE(Retrieve(Options, Data));
  TAnalysisOptions Analysis;
  Analysis.GaugeMm = Case.GaugeMm;
  Analysis.VelocityFactor = Case.VelocityFactor;
  const TLineAnalysis Line = AnalyzeLine(Data, Analysis);

  ASSERT_TRUE(Line.Loop.Kl0Db.has_value());
  EXPECT_NEAR(*Line.Loop.Kl0Db, Model.Kl0Db(), 1.5);
  ASSERT_TRUE(Line.Loop.LengthM.has_value());
  RecordProperty("kl0ErrorDb", std::to_string(*Line.Loop.Kl0Db - Model.Kl0Db()));
  RecordProperty("loopLengthErrorM", std::to_string(*Line.Loop.LengthM - Case.LoopM));

  if (Case.TapM == 0) {
    EXPECT_TRUE(Line.BridgedTaps.empty()) << "a tap of " << Line.BridgedTaps.front().LengthM << " m on a clean line";
  } else {
    ASSERT_EQ(Line.BridgedTaps.size(), 1u);
    EXPECT_NEAR(Line.BridgedTaps[0].LengthM, Case.TapM, 0.2 * Case.TapM);
    const double FirstNotchHz = Model.NotchFrequenciesMHz(0, 100).front() * 1e6;
    EXPECT_NEAR(Line.BridgedTaps[0].FirstNotchHz, FirstNotchHz, 0.2 * FirstNotchHz);
    RecordProperty("tapLengthErrorM", std::to_string(Line.BridgedTaps[0].LengthM - Case.TapM));
  }

  const int Entry = std::max(Data.QLNMultipliers()[0], Data.QLNMultipliers()[1]);
  EXPECT_EQ(Line.Disturbers.size(), Case.Disturbers.size());
  for (const TInjected &Injected : Case.Disturbers) {
    const int Centre = static_cast<int>(std::lround(Injected.Disturber.CentreMHz / Model.FrequencyMHz(1)));
    const auto Found = std::find_if(Line.Disturbers.begin(), Line.Disturbers.end(), [&](const TDisturber &AFound) {
      return std::abs(AFound.Tone - Centre) <= 2 * Entry;
    });
    ASSERT_NE(Found, Line.Disturbers.end()) << Injected.Disturber.CentreMHz << " MHz not found";
    EXPECT_EQ(Found->Band, Injected.Band) << Injected.Disturber.CentreMHz << " MHz";
  }

  for (TDirection Direction : {US, DS}) {
    ASSERT_TRUE(Line.Bits[Direction].has_value());
    EXPECT_EQ(Line.Bits[Direction]->TotalBits, Model.TotalBits(Direction));
    EXPECT_EQ(Line.Bits[Direction]->LineRate, Model.LineRateBps(Direction));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimulatedLine,
    ::testing::Values(
        TLineCase{"Demo17a", vp17a, 500, 0.5, 20, DefaultVelocityFactor, {{{7.1, 20}, "40 m amateur"}}},
        TLineCase{"CleanThin35b",
                  vp35b,
                  300,
                  0.4,
                  0,
                  DefaultVelocityFactor,
                  {{{0.999, 15}, "MW broadcast"}, {{14.2, 30}, "20 m amateur"}, {{28.5, 45}, "10 m amateur"}}},
        TLineCase{"LongTapped8b", vp8b, 1500, 0.6, 60, 0.6, {{{3.6, 20}, "80 m amateur"}}},
        TLineCase{"Fast30a", vp30a, 200, 0.5, 25, 0.72, {{{21.6, 25}, "13 m broadcast"}}},
        TLineCase{"InHouseTap12a", vp12a, 700, 0.5, 10, DefaultVelocityFactor, {}},
        TLineCase{"CleanLong17a", vp17a, 1200, 0.4, 0, DefaultVelocityFactor, {{{11.0, 20}, std::nullopt}}}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

} // namespace
