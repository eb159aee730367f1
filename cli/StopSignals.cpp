#include "StopSignals.h"

#include <csignal>

#include <pthread.h>
#include <unistd.h>

namespace {

sigset_t StopSet() {
  sigset_t Set;
  sigemptyset(&Set);
  sigaddset(&Set, SIGINT);
  sigaddset(&Set, SIGTERM);
  return Set;
}

} // namespace

TStopSignals::TStopSignals(std::function<void()> AOnStop) : FOnStop(std::move(AOnStop)) {
  const sigset_t Set = StopSet();
  pthread_sigmask(SIG_BLOCK, &Set, nullptr);
  FThread = std::thread([this] { Receive(); });
}

// The signals stay blocked: one arriving now finds the command ending anyway.
TStopSignals::~TStopSignals() {
  FClosing = true;
  pthread_kill(FThread.native_handle(), SIGTERM);
  FThread.join();
}

void TStopSignals::Pause(std::chrono::milliseconds AWait) {
  std::unique_lock<std::mutex> Guard(FLock);
  FStopped.wait_for(Guard, AWait, [this] { return Requested(); });
}

// Under the lock, so that a Pause cannot miss the request between testing
// it and starting to wait.
void TStopSignals::Receive() {
  const sigset_t Set = StopSet();
  for (;;) {
    int Signal = 0;
    if (sigwait(&Set, &Signal) != 0 || FClosing)
      return;
    {
      std::lock_guard<std::mutex> Guard(FLock);
      if (FRequested && Signal == SIGINT)
        _exit(InterruptedStatus);
      if (FRequested.exchange(true))
        continue;
    }
    FStopped.notify_all();
    FOnStop();
  }
}
