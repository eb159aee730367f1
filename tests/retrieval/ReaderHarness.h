#pragma once
// Runs one reader the way the window does (free on terminate, outcome read in
// the termination handler) with a closure queue standing in for the event loop.

#include <functional>
#include <string>
#include <vector>

#include "DrayTelnetReader.h"
#include "RecordingView.h"

class TDrayData;

struct TReaderSetup {
  std::uint16_t Port = 0;
  std::string User = "admin";
  std::string Password = "admin";
  std::string RouterName = "DrayTek";
  bool Bins = false;
  TTelnetreadOp Op = troRetrieveData;
  TRetrievalTimeouts Timeouts;
  bool TerminateAtOnce = false;
  // Called on the main thread after each request the reader posted.
  std::function<void(const std::string &ACall, TDrayTelnetReader &AReader)> OnCall;
};

struct TReaderOutcome {
  bool TelnetError = false;
  std::string Reason;
  std::string Fatal;
  std::vector<std::string> Calls; // with "terminate" last
};

TReaderOutcome RunReader(const TReaderSetup &ASetup, TDrayData &AData);

// The requests of a whole retrieval, in order, as TRecordingView notes them.
std::vector<std::string> FullRetrievalCalls(const std::string &AProfile, bool ABins);
