#pragma once
// SIGINT and SIGTERM for a command that runs until stopped. The first asks it
// to stop: Requested() turns true, a Pause ends, and AOnStop runs (on a thread
// of this object's own) to cut short what is under way. A second SIGINT ends
// the process at once, as a user pressing Ctrl-C twice means.
//
// Made before any other thread of the process: the signals are blocked in
// the making thread, and threads inherit that, so only ours receives them.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TStopSignals {
public:
  explicit TStopSignals(std::function<void()> AOnStop);
  ~TStopSignals();
  TStopSignals(const TStopSignals &) = delete;
  TStopSignals &operator=(const TStopSignals &) = delete;

  bool Requested() const { return FRequested.load(); }
  // Waits AWait, or less when a stop is asked for.
  void Pause(std::chrono::milliseconds AWait);

private:
  void Receive();

  std::function<void()> FOnStop;
  std::atomic<bool> FRequested{false};
  std::atomic<bool> FClosing{false};
  std::mutex FLock;
  std::condition_variable FStopped;
  std::thread FThread;
};

// The exit status after a second SIGINT, as shells report a process ended by it.
constexpr int InterruptedStatus = 130;
