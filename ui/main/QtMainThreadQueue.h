#pragma once
// The window's way for a worker thread to reach the main thread: every
// closure is handed to Qt's event loop as a queued call and runs there in the
// order posted.

#include <atomic>
#include <functional>
#include <memory>

#include "MainThreadQueue.h"

class TQtMainThreadQueue : public IMainThreadQueue,
                           public std::enable_shared_from_this<TQtMainThreadQueue> {
public:
  // Held by std::shared_ptr: the worker keeps its own copy, so the queue
  // outlives the window that created it for as long as anyone still posts.
  static std::shared_ptr<TQtMainThreadQueue> Create();

  // Any thread. Does nothing once the queue is closed or when no
  // application object exists.
  void Post(std::function<void()> AClosure) override;

  // Main thread only. After this no closure runs, including those already
  // posted and not yet run; the window calls it before it goes away.
  void Close();
  bool IsOpen() const { return FOpen.load(); }

private:
  TQtMainThreadQueue() = default;
  void RunOnMainThread(const std::function<void()> &AClosure) const;

  std::atomic<bool> FOpen{true};
};
