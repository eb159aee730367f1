#include "RetrievalOutcome.h"

const char *RetrievalEndName(TRetrievalEnd AEnd) {
  switch (AEnd) {
  case TRetrievalEnd::Complete:
    return "complete";
  case TRetrievalEnd::Partial:
    return "partial";
  case TRetrievalEnd::Refused:
    return "refused";
  case TRetrievalEnd::Failed:
    return "failed";
  }
  return "unknown";
}

std::vector<std::string> PartialRunNotes(const TRetrievalOutcome &AOutcome) {
  std::vector<std::string> Notes;
  if (!AOutcome.Reason.empty() && AOutcome.End == TRetrievalEnd::Partial)
    Notes.push_back(AOutcome.Reason);
  if (AOutcome.Stopped)
    Notes.emplace_back("stopped before the end");
  for (const std::string &Command : AOutcome.Unanswered)
    Notes.push_back("no answer to \"" + Command + "\"");
  return Notes;
}
