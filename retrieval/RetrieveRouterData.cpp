// The command sequence of a retrieval, run on the reader thread once logged on.
//
// Hand-over to the front end: every request is posted, never called. A group
// (HLog, QLN, ...) is stored in the snapshot, under that kind's lock, before
// its plot request is posted, and the reader never writes that group again,
// so the main thread may draw it without a lock while we fill the next one.

#include "DrayData.h"
#include "DrayTelnetReader.h"

namespace {

// Removes AStart lines from the front and AEnd from the back; an answer that
// has fewer lines than that simply has nothing left.
void TrimLines(TTextLines &ALines, int AStart, int AEnd) {
  ALines.RemoveFirst(static_cast<std::size_t>(AStart));
  ALines.RemoveLast(static_cast<std::size_t>(AEnd));
}

} // namespace

void TDrayTelnetReader::RetrieveRouterData(TDrayData &AData) {
  try {
    RetrieveSteps(AData);
  } catch (...) {
    PostStatusText("");
    throw;
  }
  PostStatusText("");
}

void TDrayTelnetReader::RetrieveSteps(TDrayData &AData) {
  AData.Clear();
  FStep = 0;
  PostStatusText("Retrieving data...");
  if (Terminated())
    return;
  RetrieveStatus(AData);
  if (Terminated() || !RetrieveStatusDetails(AData))
    return;
  RetrievePerTone(AData);
  if (Terminated())
    return;
  if (FRetrieveBins && !RetrieveBins(AData))
    return;
  PostToView([](IRetrievalView &AView, TDrayData *ASnapshot) {
    AView.PlotBitLoading(ASnapshot);
    AView.PlotBinsSNR(ASnapshot);
    AView.PlotGain(ASnapshot);
  }, AData);
}

void TDrayTelnetReader::RetrieveStatus(TDrayData &AData) {
  PostStatusText("Retrieving statistics, please wait...");
  TTextLines Lines;
  if (CommandLines("vdsl status bandinfo\r", FTimeouts.Short, 2, 2, Lines)) {
    Lines.emplace_back();
    Lines.emplace_back(" (LATN = Loop Attenuation, SATN = Signal Attenuation)");
    AData.AddStatData({}, &Lines);
  }
  if (Terminated())
    return;
  if (CommandLines("vdsl status\r", FTimeouts.Short, 2, 2, Lines)) {
    AData.AddStatData({"", " [ STATUS ]"}, &Lines);
    AData.IdentifyVDSLProfile(Lines);
  }
  const TVDSLProfile Profile = AData.VDSLProfile();
  if (FView)
    Queue([View = FView, Profile] { View->UpdateProfileLabel(Profile); });
}

// False when a stop was found; the caller then ends the sequence.
bool TDrayTelnetReader::RetrieveStatusDetails(TDrayData &AData) {
  if (!AddStatAnswer(AData, "vdsl status more\r", 2, {""}) ||
      !AddStatAnswer(AData, "vdsl status olr\r", 2, {""}) ||
      !AddStatAnswer(AData, "vdsl status counts\r", 2, {}))
    return false;
  AData.AddStatData({" [ INVENTORY ]"}, nullptr);
  if (!AddStatAnswer(AData, "vdsl annex\r", 1, {""}) ||
      !AddStatAnswer(AData, "vdsl inventory co\r", 1, {" [ CO ]"}))
    return false;
  AddStatAnswer(AData, "vdsl inventory cpe\r", 1, {" [ CPE ]"});
  PostToView([](IRetrievalView &AView, TDrayData *ASnapshot) { AView.DisplayTextData(ASnapshot); }, AData);
  return !Terminated();
}

void TDrayTelnetReader::RetrievePerTone(TDrayData &AData) {
  TTextLines Lines;
  PostStatusText("Retrieving HLOG data, please wait...");
  if (CommandLines("vdsl status hlog\r", FTimeouts.Short, 0, 0, Lines))
    AData.SetHLogData(Lines);
  PostToView([](IRetrievalView &AView, TDrayData *ASnapshot) { AView.PlotHLOG(ASnapshot); }, AData);
  if (Terminated())
    return;
  PostStatusText("Retrieving QLN data, please wait...");
  if (CommandLines("vdsl status qln\r", FTimeouts.Short, 0, 0, Lines))
    AData.SetQLNData(Lines);
  PostToView([](IRetrievalView &AView, TDrayData *ASnapshot) { AView.PlotQLN(ASnapshot); }, AData);
  if (Terminated())
    return;
  PostStatusText("Retrieving SNR data, please wait...");
  if (CommandLines("vdsl status snr\r", FTimeouts.Short, 0, 0, Lines))
    AData.SetSNRData(Lines);
  PostToView([](IRetrievalView &AView, TDrayData *ASnapshot) { AView.PlotSNR(ASnapshot); }, AData);
}

// False when a stop was found between the two bins commands.
bool TDrayTelnetReader::RetrieveBins(TDrayData &AData) {
  TTextLines Lines;
  PostStatusText("Retrieving bins downstream, please wait...");
  if (CommandLines("vdsl showbins\r", FTimeouts.Long, 2, 2, Lines))
    AData.SetBinStatsDSRaw(Lines);
  if (Terminated())
    return false;
  PostStatusText("Retrieving bins upstream, please wait...");
  if (CommandLines("vdsl showbins up\r", FTimeouts.Long, 2, 2, Lines))
    AData.SetBinStatsUSRaw(Lines);
  return true;
}

bool TDrayTelnetReader::CommandLines(const char *ACommand, std::uint16_t ATimeout,
                                     int ATrimStart, int ATrimEnd, TTextLines &ALines) {
  std::string Answer;
  ALines.clear();
  PostProgress(ACommand);
  if (!SendCommand(ACommand, ATimeout, Answer)) {
    std::string_view Name(ACommand);
    FUnanswered.emplace_back(Name.substr(0, Name.find('\r')));
    return false;
  }
  ++FAnswered;
  ALines = SplitText(Answer);
  TrimLines(ALines, ATrimStart, ATrimEnd);
  return true;
}

// Returns false when a stop was requested after the command.
bool TDrayTelnetReader::AddStatAnswer(TDrayData &AData, const char *ACommand, int ATrimStart,
                                      const std::vector<std::string> &AHeader) {
  TTextLines Lines;
  if (CommandLines(ACommand, FTimeouts.Short, ATrimStart, 2, Lines))
    AData.AddStatData(AHeader, &Lines);
  return !Terminated();
}

void TDrayTelnetReader::PostStatusText(const std::string &AText) {
  if (FView)
    Queue([View = FView, AText] { View->SetStatusText(AText); });
}

// Before each command: its place in the sequence (8 status commands, the 3
// per-tone tables, the 2 bins tables when asked for) and its text.
void TDrayTelnetReader::PostProgress(const char *ACommand) {
  const int Steps = FRetrieveBins ? 13 : 11;
  const int Step = ++FStep;
  std::string_view Name(ACommand);
  if (FView)
    Queue([View = FView, Step, Steps, Command = std::string(Name.substr(0, Name.find('\r')))] {
      View->Progress(Step, Steps, Command);
    });
}

void TDrayTelnetReader::PostToView(void (*ARequest)(IRetrievalView &, TDrayData *),
                                   TDrayData &AData) {
  if (FView)
    Queue([View = FView, ARequest, Data = &AData] { ARequest(*View, Data); });
}
