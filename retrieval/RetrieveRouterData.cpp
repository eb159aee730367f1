// The command sequence of a retrieval, run on the reader thread once logged on.
//
// Hand-over to the front end: every request is posted, never called. A group
// (HLog, QLN, ...) is stored in the snapshot, under that kind's lock, before
// "group stored" is posted for it, and the reader never writes that group
// again, so the main thread may draw it without a lock while we fill the next.

#include "DrayData.h"
#include "DrayTelnetReader.h"
#include "RetrievalSequence.h"

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
  for (const TSequenceStep &Step : RetrievalSequence()) {
    if (Step.BinsOnly && !FRetrieveBins)
      continue;
    RunStep(AData, Step);
    if (Step.StopCheck && Terminated())
      return;
  }
}

// A command that is not answered leaves nothing in the snapshot; what follows
// the step is posted all the same, so its chart is drawn from the empty group.
void TDrayTelnetReader::RunStep(TDrayData &AData, const TSequenceStep &AStep) {
  if (AStep.Progress)
    PostStatusText(AStep.Progress);
  if (!AStep.Command) {
    if (AStep.Use == TAnswerUse::Status)
      AData.AddStatData(AStep.Header, nullptr);
  } else {
    TTextLines Lines;
    if (CommandLines(AStep.Command, AStep.LongWait ? FTimeouts.Long : FTimeouts.Short, AStep.TrimStart,
                     AStep.TrimEnd, Lines))
      StoreAnswer(AData, AStep, Lines);
  }
  PostAfter(AData, AStep);
}

void TDrayTelnetReader::StoreAnswer(TDrayData &AData, const TSequenceStep &AStep, TTextLines &ALines) {
  switch (AStep.Use) {
  case TAnswerUse::Nothing: return;
  case TAnswerUse::BandInfo:
    ALines.emplace_back();
    ALines.emplace_back(" (LATN = Loop Attenuation, SATN = Signal Attenuation)");
    AData.AddStatData(AStep.Header, &ALines);
    return;
  case TAnswerUse::Status: AData.AddStatData(AStep.Header, &ALines); return;
  case TAnswerUse::StatusAndProfile:
    AData.AddStatData(AStep.Header, &ALines);
    AData.IdentifyVDSLProfile(ALines);
    return;
  case TAnswerUse::PerTone: AData.SetStatData(AStep.Kind, ALines); return;
  case TAnswerUse::Raw: AData.SetRaw(AStep.Kind, AStep.Direction, ALines); return;
  }
}

void TDrayTelnetReader::PostAfter(TDrayData &AData, const TSequenceStep &AStep) {
  if (!FView)
    return;
  switch (AStep.After) {
  case TAfterStep::Nothing: return;
  case TAfterStep::ProfileLabel:
    Queue([View = FView, Profile = AData.VDSLProfile()] { View->UpdateProfileLabel(Profile); });
    return;
  case TAfterStep::TextData: Queue([View = FView, Data = &AData] { View->DisplayTextData(Data); }); return;
  case TAfterStep::GroupStored:
    Queue([View = FView, Kind = AStep.Kind, Data = &AData] { View->GroupStored(Kind, Data); });
    return;
  }
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

void TDrayTelnetReader::PostStatusText(const std::string &AText) {
  if (FView)
    Queue([View = FView, AText] { View->SetStatusText(AText); });
}

// Before each command: its place in the sequence and its text.
void TDrayTelnetReader::PostProgress(const char *ACommand) {
  const int Steps = SequenceCommandCount(FRetrieveBins);
  const int Step = ++FStep;
  std::string_view Name(ACommand);
  if (FView)
    Queue([View = FView, Step, Steps, Command = std::string(Name.substr(0, Name.find('\r')))] {
      View->Progress(Step, Steps, Command);
    });
}
