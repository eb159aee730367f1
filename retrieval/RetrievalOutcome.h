#pragma once
// How one retrieval ended, worked out once by the reader when its run is over
// and read by every front end after the run. Each front end maps it to what it
// shows; none of them looks at the reader's flags.

#include <string>
#include <vector>

enum class TRetrievalEnd {
  // Every command of the sequence was answered.
  Complete,
  // Logged on, but the snapshot lacks something: a failure cut the sequence
  // short (Reason), a stop was requested, or some commands went unanswered.
  Partial,
  // The router or the logon refused us; Reason is the text for the user
  // ("Unable to connect", "Invalid login", ...). The snapshot is worthless.
  Refused,
  // The run could not start or broke down outside the dialogue with the
  // router (a connection that could not be opened); Reason is its message.
  Failed,
};

struct TRetrievalOutcome {
  TRetrievalEnd End = TRetrievalEnd::Complete;
  std::string Reason;
  bool Stopped = false;
  // Commands without a usable answer (timed out, error marker, overlong), as
  // sent without their carriage return, in the order sent.
  std::vector<std::string> Unanswered;
  // Commands whose answer reached the snapshot.
  int Answered = 0;

  bool KeepsSnapshot() const { return End == TRetrievalEnd::Complete || End == TRetrievalEnd::Partial; }
  // Logged on, but not one command brought anything back.
  bool GotNothing() const { return End == TRetrievalEnd::Partial && Answered == 0; }
};

// "complete", "partial", "refused", "failed".
const char *RetrievalEndName(TRetrievalEnd AEnd);

// One line per thing a partial run lacks, for front ends that list them.
std::vector<std::string> PartialRunNotes(const TRetrievalOutcome &AOutcome);
