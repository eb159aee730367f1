#pragma once
// The main-thread queue of a front end without an event loop of its own (the
// CLI, the tests, the benchmarks): closures wait here until the thread that
// owns the queue runs them, in the order posted.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "MainThreadQueue.h"

class TClosureQueue : public IMainThreadQueue {
public:
  void Post(std::function<void()> AClosure) override;
  // Runs the next closure, waiting at most ATimeoutMs for one; false if none came.
  bool ProcessNext(std::uint32_t ATimeoutMs);
  // Runs closures until ADone() holds after one of them.
  void RunUntil(const std::function<bool()> &ADone);
  std::size_t Pending();

private:
  std::mutex FLock;
  std::condition_variable FArrived;
  std::deque<std::function<void()>> FClosures;
};
