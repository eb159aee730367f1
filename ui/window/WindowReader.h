#pragma once
// The reader of a retrieval started from the window, and where a run's
// resources live.
//
// Ownership: the reader owns everything its run needs beyond the window's
// lifetime: a share of the Telnet client and of the main-thread queue (the
// window holds the other shares), the relay to the window's display and the
// run's snapshot. It frees itself once its termination notice has run on the
// main thread. The window keeps only a plain pointer (FReader) while the run
// is on, to ask it to stop.
//
// Guards: two things a running reader posts can reach the window, and each
// checks a QPointer to it first: every display request goes through
// TViewRelay, and the termination notice calls ReaderTerminate only while the
// window exists (fmMainRetrieval.cpp). Both checks run on the main thread,
// where the window is destroyed, so neither can race with its destruction.
// A window closed mid-run therefore only asks the reader to stop; the reader
// ends on its own, its requests fall on the floor, and freeing it frees the
// snapshot that no window took.

#include <atomic>
#include <memory>
#include <string>

#include "DrayData.h"
#include "DrayTelnetReader.h"
#include "ViewRelay.h"

// Constructed before the reader base and destroyed after it, so the
// references the reader keeps stay valid for its whole life.
struct TWindowReaderResources {
  std::shared_ptr<TTelnetClient> RunTelnet;
  std::shared_ptr<IMainThreadQueue> RunQueue;
  std::unique_ptr<TViewRelay> RunView;
  std::unique_ptr<TDrayData> RunData;
};

class TWindowReader : private TWindowReaderResources, public TDrayTelnetReader {
public:
  TWindowReader(TWindowReaderResources AResources, std::string ATelnetUser, std::string ATelnetPassword,
                std::string ARouterName, bool ARetrieveBins, TRetrievalTimeouts ATimeouts);
  ~TWindowReader() override;

  // Hands the run's snapshot over (none after the first call).
  std::unique_ptr<TDrayData> TakeData() { return std::move(RunData); }
  void DiscardData() { RunData.reset(); }

  // Readers not yet freed, in the whole process.
  static int LiveCount() { return FLiveCount.load(); }

private:
  static std::atomic<int> FLiveCount;
};
