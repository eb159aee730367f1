#include "ClosureQueue.h"

#include <chrono>

void TClosureQueue::Post(std::function<void()> AClosure) {
  {
    std::lock_guard<std::mutex> Guard(FLock);
    FClosures.push_back(std::move(AClosure));
  }
  FArrived.notify_one();
}

bool TClosureQueue::ProcessNext(std::uint32_t ATimeoutMs) {
  std::function<void()> Closure;
  {
    std::unique_lock<std::mutex> Guard(FLock);
    if (!FArrived.wait_for(Guard, std::chrono::milliseconds(ATimeoutMs),
                           [this] { return !FClosures.empty(); }))
      return false;
    Closure = std::move(FClosures.front());
    FClosures.pop_front();
  }
  Closure();
  return true;
}

void TClosureQueue::RunUntil(const std::function<bool()> &ADone) {
  while (!ADone())
    ProcessNext(1000);
}

std::size_t TClosureQueue::Pending() {
  std::lock_guard<std::mutex> Guard(FLock);
  return FClosures.size();
}
