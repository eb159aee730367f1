#pragma once
// A worker thread object: created suspended, started by its creator. Its end
// is announced on the main thread, after every closure it posted, through
// OnTerminate; with FreeOnTerminate set it then deletes itself.

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "MainThreadQueue.h"

class TThread {
public:
  explicit TThread(IMainThreadQueue &AQueue);
  virtual ~TThread();
  TThread(const TThread &) = delete;
  TThread &operator=(const TThread &) = delete;

  void Start();
  // Asks the body to stop at its next check; never waits.
  void Terminate() { FTerminated.store(true); }
  bool Terminated() const { return FTerminated.load(); }
  // True once the body has returned (or failed).
  bool Finished() const { return FFinished.load(); }
  // Joins the worker; for owners that keep the object. Not from the worker.
  void WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool AValue) { FFreeOnTerminate = AValue; }

  // The failure that ended the body, or null; valid once OnTerminate runs.
  std::exception_ptr FatalException() const { return FFatalException; }
  // Its message ("" when the body ended normally).
  const std::string &FatalMessage() const { return FFatalMessage; }

  // Runs on the main thread after the body has ended.
  std::function<void(TThread *)> OnTerminate;

protected:
  virtual void Execute() = 0;
  // Posts AClosure to the main thread without waiting for it.
  void Queue(std::function<void()> AClosure) { FQueue.Post(std::move(AClosure)); }
  // For destructors of derived classes: their members must outlive the body.
  void JoinUnlessSelf();

private:
  void Run();
  void DoTerminate();

  IMainThreadQueue &FQueue;
  std::thread FThread;
  std::atomic<std::thread::id> FThreadId{}; // set by the worker itself
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FFreeOnTerminate = false;
  std::exception_ptr FFatalException;
  std::string FFatalMessage;
  // Cleared by the destructor, so that a termination notice still queued for
  // an object its owner has already deleted does nothing.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
