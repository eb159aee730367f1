#include "Thread.h"

#include <stdexcept>

TThread::TThread(IMainThreadQueue &AQueue) : FQueue(AQueue) {}

TThread::~TThread() {
  *FAlive = false;
  JoinUnlessSelf();
}

void TThread::Start() {
  if (FThread.joinable() || FFinished.load())
    throw std::logic_error("Thread already started");
  FThread = std::thread(&TThread::Run, this);
}

void TThread::WaitFor() {
  if (FThread.joinable() && FThreadId.load() != std::this_thread::get_id())
    FThread.join();
}

void TThread::JoinUnlessSelf() {
  if (!FThread.joinable())
    return;
  if (FThreadId.load() == std::this_thread::get_id()) {
    FThread.detach();
    return;
  }
  Terminate();
  FThread.join();
}

void TThread::Run() {
  FThreadId.store(std::this_thread::get_id());
  try {
    Execute();
  } catch (const std::exception &E) {
    FFatalException = std::current_exception();
    FFatalMessage = E.what();
  } catch (...) {
    FFatalException = std::current_exception();
    FFatalMessage = "Unknown failure in a worker thread";
  }
  FFinished.store(true);
  // The last thing this thread does: everything it wrote above is visible to
  // the main thread through the queue's own ordering.
  Queue([this, Alive = FAlive] {
    if (*Alive)
      DoTerminate();
  });
}

void TThread::DoTerminate() {
  // The worker posted this as its very last step, so the join is short.
  if (FThread.joinable())
    FThread.join();
  const bool Free = FFreeOnTerminate;
  const std::shared_ptr<bool> Alive = FAlive;
  try {
    if (OnTerminate)
      OnTerminate(this);
  } catch (...) {
    if (Free && *Alive)
      delete this;
    throw;
  }
  if (Free && *Alive)
    delete this;
}
