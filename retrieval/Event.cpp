#include "Event.h"

#include <chrono>

TEvent::TEvent(std::string AName, bool AInitialState)
    : FName(std::move(AName)), FSet(AInitialState) {}

void TEvent::SetEvent() {
  {
    std::lock_guard<std::mutex> Guard(FLock);
    FSet = true;
  }
  FSignal.notify_all();
}

void TEvent::ResetEvent() {
  std::lock_guard<std::mutex> Guard(FLock);
  FSet = false;
}

bool TEvent::WaitFor(std::uint32_t ATimeoutMs) {
  std::unique_lock<std::mutex> Guard(FLock);
  return FSignal.wait_for(Guard, std::chrono::milliseconds(ATimeoutMs), [this] { return FSet; });
}
