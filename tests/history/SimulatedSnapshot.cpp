#include "SimulatedSnapshot.h"

#include "RouterAnswers.h"

void FillFromSimulatedRouter(TDrayData &AData, TVDSLProfile AProfile, bool ABins, const TLineSetup &ALine) {
  TRouterSimOptions Options;
  Options.Profile = AProfile;
  Options.Line = ALine;
  const TRouterAnswers Answers(Options);
  const TTextLines Status = SplitText(*Answers.Find("vdsl status"));
  AData.AddStatData({""}, &Status);
  const TTextLines Counts = SplitText(*Answers.Find("vdsl status counts"));
  AData.AddStatData({}, &Counts);
  AData.IdentifyVDSLProfile(Status);
  AData.SetHLogData(SplitText(*Answers.Find("vdsl status hlog")));
  AData.SetQLNData(SplitText(*Answers.Find("vdsl status qln")));
  AData.SetSNRData(SplitText(*Answers.Find("vdsl status snr")));
  if (ABins) {
    AData.SetBinStatsDSRaw(SplitText(*Answers.Find("vdsl showbins")));
    AData.SetBinStatsUSRaw(SplitText(*Answers.Find("vdsl showbins up")));
  }
}
