#pragma once
// Runs one retrieval the way tonegraph-cli does (RunRetrieval on a queue of
// its own), noting every request the reader posts.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "RecordingView.h"
#include "RetrievalRun.h"

class TDrayData;

struct TReaderSetup : TRetrievalRequest {
  TReaderSetup() {
    Host = "127.0.0.1";
    User = "admin";
    Password = "admin";
  }
  bool TerminateAtOnce = false;
  // Called on the main thread after each request the reader posted.
  std::function<void(const std::string &ACall, TRetrievalRun &ARun)> OnCall;
};

struct TReaderOutcome : TRetrievalOutcome {
  std::vector<std::string> Calls; // with "terminate" last
};

TReaderOutcome RunReader(const TReaderSetup &ASetup, TDrayData &AData);

// The requests of a whole retrieval, in order, as TRecordingView notes them.
std::vector<std::string> FullRetrievalCalls(const std::string &AProfile, bool ABins);

inline void PrintTo(TRetrievalEnd AEnd, std::ostream *AOut) { *AOut << RetrievalEndName(AEnd); }
