#pragma once
// The window's way for a worker thread to reach the main thread: every
// closure is handed to Qt's event loop as a queued call and runs there in the
// order posted.

#include <functional>
#include <memory>

#include "MainThreadQueue.h"

class TQtMainThreadQueue : public IMainThreadQueue {
public:
  // Held by std::shared_ptr: a running reader keeps its own copy, so the
  // queue outlives the window that created it for as long as anyone posts.
  static std::shared_ptr<TQtMainThreadQueue> Create();

  // Any thread. Does nothing when no application object exists. Closures
  // still run after the window that created the queue is gone: whatever they
  // reach of the window guards itself (see WindowReader.h).
  void Post(std::function<void()> AClosure) override;

private:
  TQtMainThreadQueue() = default;
};
