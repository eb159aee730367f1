#pragma once
// A manual-reset event private to the process: once set it stays set, and
// every wait returns at once, until it is reset.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

class TEvent {
public:
  explicit TEvent(std::string AName = {}, bool AInitialState = false);
  TEvent(const TEvent &) = delete;
  TEvent &operator=(const TEvent &) = delete;

  const std::string &Name() const { return FName; }
  void SetEvent();
  void ResetEvent();
  // True when the event was (or became) set within ATimeoutMs milliseconds.
  bool WaitFor(std::uint32_t ATimeoutMs);

private:
  std::string FName;
  std::mutex FLock;
  std::condition_variable FSignal;
  bool FSet;
};
