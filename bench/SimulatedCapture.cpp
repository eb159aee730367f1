#include "SimulatedCapture.h"

#include "RouterAnswers.h"

void FillSimulatedCapture(TDrayData &AData, const TLineSetup &ALine) {
  TRouterSimOptions Options;
  Options.Profile = vp35b;
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
  AData.SetBinStatsDSRaw(SplitText(*Answers.Find("vdsl showbins")));
  AData.SetBinStatsUSRaw(SplitText(*Answers.Find("vdsl showbins up")));
}
