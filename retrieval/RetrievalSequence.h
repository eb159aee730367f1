#pragma once
// The fixed command sequence of a retrieval, as data: what is sent, how long
// its answer may take, what of the answer the snapshot gets, and what the
// front end is told once the step is done. The reader runs the rows in order;
// the progress count is the number of commands in them.

#include <cstdint>
#include <string>
#include <vector>

#include "DrayKindState.h"

enum class TAnswerUse : std::uint8_t {
  Nothing,
  // The header lines, then the answer's lines, appended to the status text.
  Status,
  // As Status, followed by the note that explains LATN and SATN.
  BandInfo,
  // As Status; then the profile is identified from the same lines.
  StatusAndProfile,
  // The whole answer, parsed into the tables of the row's kind.
  PerTone,
  // The answer as the raw text of the row's kind and direction.
  Raw,
};

enum class TAfterStep : std::uint8_t { Nothing, ProfileLabel, TextData, GroupStored };

struct TSequenceStep {
  // With its carriage return; null for a step that sends nothing.
  const char *Command;
  // Status bar text posted before the step, or null.
  const char *Progress;
  // The bins listings take longer than the other answers.
  bool LongWait;
  // Lines removed from the start and from the end of the answer.
  int TrimStart;
  int TrimEnd;
  std::vector<std::string> Header;
  TAnswerUse Use;
  TDrayKind Kind;
  TDirection Direction;
  TAfterStep After;
  // Sent only when the bins are asked for.
  bool BinsOnly;
  // A stop request ends the sequence once this step is done.
  bool StopCheck;
};

const std::vector<TSequenceStep> &RetrievalSequence();

// The commands a retrieval sends, with or without the bins listings.
int SequenceCommandCount(bool ARetrieveBins);
