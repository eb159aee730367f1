#pragma once
// How a worker thread reaches the front end's main thread. The window
// implements it with Qt's queued invocation, the CLI with its own loop.

#include <functional>

class IMainThreadQueue {
public:
  virtual ~IMainThreadQueue() = default;
  // Runs AClosure later on the main thread, after every closure posted
  // before it; never waits for it.
  virtual void Post(std::function<void()> AClosure) = 0;
};
