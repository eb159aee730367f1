#pragma once
// One retrieval run to its end on the calling thread, for front ends without
// an event loop of their own (tonegraph-cli, the tests, the benchmarks). The
// reader works as it does under the window: it frees itself, and its requests
// to the front end run on the calling thread in the order posted.

#include <cstdint>
#include <mutex>
#include <string>

#include "DrayTelnetReader.h"
#include "RetrievalOutcome.h"
#include "RetrievalTimeouts.h"

class TDrayData;
class IRetrievalView;

struct TRetrievalRequest {
  std::string Host;
  std::uint16_t Port = 23;
  std::string User;
  std::string Password;
  std::string RouterName = "DrayTek";
  bool Bins = false;
  TRetrievalTimeouts Timeouts;
  // troNone stops after the logon.
  TTelnetreadOp Op = troRetrieveData;
};

class TRetrievalRun {
public:
  // AView may be null; its requests run inside Run, on Run's thread.
  TRetrievalRun(TRetrievalRequest ARequest, TDrayData &AData, IRetrievalView *AView);
  TRetrievalRun(const TRetrievalRun &) = delete;
  TRetrievalRun &operator=(const TRetrievalRun &) = delete;

  // Connects, logs on, fills the snapshot, and returns once the reader has
  // ended. Once per object.
  TRetrievalOutcome Run();
  // Any thread, any time: the reader stops at its next check, or at once
  // when it has not started yet.
  void Stop();
  // The same without waiting for the answer under way, which is left out
  // (TDrayTelnetReader::AbandonWait).
  void StopAtOnce();

private:
  TRetrievalRequest FRequest;
  TDrayData &FData;
  IRetrievalView *FView;
  std::mutex FLock;
  bool FStopRequested = false;
  bool FAtOnce = false;
  TDrayTelnetReader *FReader = nullptr; // while it runs; guarded by FLock
};

TRetrievalOutcome RunRetrieval(const TRetrievalRequest &ARequest, TDrayData &AData,
                               IRetrievalView *AView = nullptr);
