#pragma once
// The reader of a retrieval started from the window. It owns everything its
// run needs beyond the window's lifetime: the Telnet client (shared with the
// window), the queue to the main thread, the relay to the window's display
// and the run's snapshot. Closing the window mid-run therefore never leaves
// the reader pointing at freed objects, and when the run ends without a
// window to take the snapshot, freeing the reader frees the snapshot too.

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
