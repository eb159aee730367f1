#include "RetrievalSequence.h"

#include <algorithm>

namespace {

TSequenceStep StatusStep(const char *ACommand, int ATrimStart, std::vector<std::string> AHeader) {
  return {ACommand, nullptr, false, ATrimStart, 2, std::move(AHeader), TAnswerUse::Status, TDrayKind::HLog,
          TDirection::Upstream, TAfterStep::Nothing, false, true};
}

TSequenceStep PerToneStep(const char *ACommand, const char *AProgress, TDrayKind AKind) {
  return {ACommand, AProgress, false, 0, 0, {}, TAnswerUse::PerTone, AKind, TDirection::Upstream,
          TAfterStep::GroupStored, false, true};
}

// The bins listings are posted as one group once both are in, so there is no
// stop check between the upstream listing and that request.
TSequenceStep BinsStep(const char *ACommand, const char *AProgress, TDirection ADirection, bool AStopCheck) {
  return {ACommand, AProgress, true, 2, 2, {}, TAnswerUse::Raw, TDrayKind::Bins, ADirection,
          TAfterStep::Nothing, true, AStopCheck};
}

std::vector<TSequenceStep> MakeSequence() {
  std::vector<TSequenceStep> Steps;
  Steps.push_back(StatusStep("vdsl status bandinfo\r", 2, {}));
  Steps.back().Progress = "Retrieving statistics, please wait...";
  Steps.back().Use = TAnswerUse::BandInfo;
  Steps.push_back(StatusStep("vdsl status\r", 2, {"", " [ STATUS ]"}));
  Steps.back().Use = TAnswerUse::StatusAndProfile;
  Steps.back().After = TAfterStep::ProfileLabel;
  Steps.push_back(StatusStep("vdsl status more\r", 2, {""}));
  Steps.push_back(StatusStep("vdsl status olr\r", 2, {""}));
  Steps.push_back(StatusStep("vdsl status counts\r", 2, {}));
  // The section header is there even when none of its commands is answered.
  Steps.push_back(StatusStep(nullptr, 0, {" [ INVENTORY ]"}));
  Steps.back().StopCheck = false;
  Steps.push_back(StatusStep("vdsl annex\r", 1, {""}));
  Steps.push_back(StatusStep("vdsl inventory co\r", 1, {" [ CO ]"}));
  Steps.push_back(StatusStep("vdsl inventory cpe\r", 1, {" [ CPE ]"}));
  Steps.back().After = TAfterStep::TextData;
  Steps.push_back(PerToneStep("vdsl status hlog\r", "Retrieving HLOG data, please wait...", TDrayKind::HLog));
  Steps.push_back(PerToneStep("vdsl status qln\r", "Retrieving QLN data, please wait...", TDrayKind::QLN));
  Steps.push_back(PerToneStep("vdsl status snr\r", "Retrieving SNR data, please wait...", TDrayKind::SNR));
  Steps.push_back(BinsStep("vdsl showbins\r", "Retrieving bins downstream, please wait...", TDirection::Downstream,
                           true));
  Steps.push_back(BinsStep("vdsl showbins up\r", "Retrieving bins upstream, please wait...", TDirection::Upstream,
                           false));
  // The bins charts are redrawn also when the bins were not asked for.
  Steps.push_back({nullptr, nullptr, false, 0, 0, {}, TAnswerUse::Nothing, TDrayKind::Bins, TDirection::Upstream,
                   TAfterStep::GroupStored, false, true});
  return Steps;
}

} // namespace

const std::vector<TSequenceStep> &RetrievalSequence() {
  static const std::vector<TSequenceStep> Sequence = MakeSequence();
  return Sequence;
}

int SequenceCommandCount(bool ARetrieveBins) {
  const std::vector<TSequenceStep> &Steps = RetrievalSequence();
  return static_cast<int>(std::count_if(Steps.begin(), Steps.end(), [ARetrieveBins](const TSequenceStep &AStep) {
    return AStep.Command && (ARetrieveBins || !AStep.BinsOnly);
  }));
}
