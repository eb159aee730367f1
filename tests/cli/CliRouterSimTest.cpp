// tonegraph-cli routersim in the background with the line options, read by
// tonegraph-cli retrieve: the line it serves is the line the options name.
#include <gtest/gtest.h>

#include <string>

#include "CliBackground.h"
#include "CliRun.h"
#include "DrayData.h"
#include "RouterAnswers.h"
#include "TestFiles.h"

namespace {

// The tables of the per-tone answers the model of this line gives.
void FillFromModel(TDrayData &AData, TVDSLProfile AProfile, const TLineSetup &ALine) {
  TRouterSimOptions Options;
  Options.Profile = AProfile;
  Options.Line = ALine;
  const TRouterAnswers Answers(Options);
  AData.SetHLogData(SplitText(*Answers.Find("vdsl status hlog") + "Vigor> "));
  AData.SetQLNData(SplitText(*Answers.Find("vdsl status qln") + "Vigor> "));
  AData.SetSNRData(SplitText(*Answers.Find("vdsl status snr") + "Vigor> "));
}

TLineSetup Line(std::optional<double> ALoopM, double AGaugeMm, double ATapM, std::vector<TLineDisturber> ADisturbers) {
  TLineSetup Line;
  Line.LoopLengthM = ALoopM;
  Line.GaugeMm = AGaugeMm;
  Line.TapLengthM = ATapM;
  Line.Disturbers = std::move(ADisturbers);
  return Line;
}

TEST(CliRouterSim, TheLineOptionsSetTheLineItServes) {
  const struct {
    const char *Args;
    TVDSLProfile Profile;
    TLineSetup Line;
    const char *Said;
  } Cases[] = {
      {"--loop-length 1200 --gauge 0.4 --tap-length 0 --no-disturbers", vp17a, Line(1200, 0.4, 0, {}),
       "routersim: loop 1200 m of 0.4 mm, no bridged tap, no disturber\n"},
      {"--profile 35b --gauge .6 --tap-length 35 --disturber 3.6 --disturber 14.2:30", vp35b,
       Line(std::nullopt, 0.6, 35, {{3.6, 20}, {14.2, 30}}),
       "routersim: loop 350 m of 0.6 mm, bridged tap 35 m, disturber 3.600 MHz +20 dB, disturber 14.200 MHz +30 dB\n"},
  };
  for (const auto &Case : Cases) {
    TTempFolder Folder;
    WriteBytes(Folder.Path("password"), "pw\n");
    TCliBackground Sim(std::string("routersim --name Vigor --password pw ") + Case.Args);
    ASSERT_NE(Sim.Port(), 0) << Sim.Output();
    EXPECT_NE(Sim.Output().find(Case.Said), std::string::npos) << Sim.Output();
    const TCliRun Run = RunCli("retrieve --host 127.0.0.1 --port " + std::to_string(Sim.Port()) +
                                   " --user admin --password-stdin --router-name Vigor -o " +
                                   Quoted(Folder.Path("line.draydata")),
                               Folder.Path("password"));
    ASSERT_EQ(Run.Status, 0) << Run.Err;
    TDrayData Got, Want;
    Got.LoadFromFile(Folder.Path("line.draydata"));
    FillFromModel(Want, Case.Profile, Case.Line);
    EXPECT_EQ(Got.VDSLProfile(), Case.Profile) << Case.Args;
    EXPECT_EQ(Got.HLogStatsUS(), Want.HLogStatsUS()) << Case.Args;
    EXPECT_EQ(Got.HLogStatsDS(), Want.HLogStatsDS()) << Case.Args;
    EXPECT_EQ(Got.QLNStatsUS(), Want.QLNStatsUS()) << Case.Args;
    EXPECT_EQ(Got.QLNStatsDS(), Want.QLNStatsDS()) << Case.Args;
    EXPECT_EQ(Got.SNRStatsDS(), Want.SNRStatsDS()) << Case.Args;
  }
}

} // namespace
