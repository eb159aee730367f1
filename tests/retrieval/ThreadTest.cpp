#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "ClosureQueue.h"
#include "Event.h"
#include "Thread.h"

namespace {

// A worker whose body is given by the test.
class TTestThread : public TThread {
public:
  TTestThread(IMainThreadQueue &AQueue, std::function<void(TTestThread &)> ABody)
      : TThread(AQueue), FBody(std::move(ABody)) {}
  ~TTestThread() override {
    JoinUnlessSelf();
    ++Destroyed;
  }
  using TThread::Queue;
  static inline std::atomic<int> Destroyed{0};

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(TTestThread &)> FBody;
};

TEST(Thread, PostedClosuresRunInOrderAndTheEndNoticeLast) {
  TClosureQueue Queue;
  std::vector<std::string> Order;
  const int DestroyedBefore = TTestThread::Destroyed.load();
  auto *Worker = new TTestThread(Queue, [&Order](TTestThread &AThread) {
    for (int I = 0; I < 50; ++I)
      AThread.Queue([&Order, I] { Order.push_back(std::to_string(I)); });
  });
  Worker->SetFreeOnTerminate(true);
  bool Ended = false;
  Worker->OnTerminate = [&](TThread *AThread) {
    EXPECT_EQ(AThread->FatalException(), nullptr);
    Order.push_back("end");
    Ended = true;
  };
  Worker->Start();
  Queue.RunUntil([&] { return Ended; });
  ASSERT_EQ(Order.size(), 51u);
  for (int I = 0; I < 50; ++I)
    EXPECT_EQ(Order[I], std::to_string(I));
  EXPECT_EQ(Order.back(), "end");
  EXPECT_EQ(TTestThread::Destroyed.load(), DestroyedBefore + 1) << "free on terminate";
}

TEST(Thread, FailureOfTheBodyIsKeptAsFatalException) {
  TClosureQueue Queue;
  TTestThread Worker(Queue, [](TTestThread &) { throw std::runtime_error("Connection refused"); });
  bool Ended = false;
  std::string Message;
  Worker.OnTerminate = [&](TThread *AThread) {
    Message = AThread->FatalMessage();
    EXPECT_THROW(std::rethrow_exception(AThread->FatalException()), std::runtime_error);
    Ended = true;
  };
  Worker.Start();
  Queue.RunUntil([&] { return Ended; });
  EXPECT_EQ(Message, "Connection refused");
  EXPECT_TRUE(Worker.Finished());
}

TEST(Thread, TerminateIsSeenByTheBody) {
  TClosureQueue Queue;
  TEvent Started;
  std::atomic<int> Rounds{0};
  TTestThread Worker(Queue, [&](TTestThread &AThread) {
    Started.SetEvent();
    while (!AThread.Terminated())
      ++Rounds;
  });
  Worker.Start();
  ASSERT_TRUE(Started.WaitFor(10000));
  Worker.Terminate();
  Worker.WaitFor();
  EXPECT_TRUE(Worker.Terminated());
  EXPECT_TRUE(Worker.Finished());
}

TEST(Thread, EndNoticeOfADeletedThreadDoesNothing) {
  TClosureQueue Queue;
  bool Notified = false;
  auto *Worker = new TTestThread(Queue, [](TTestThread &) {});
  Worker->OnTerminate = [&](TThread *) { Notified = true; };
  Worker->Start();
  Worker->WaitFor();
  delete Worker; // its end notice is still queued
  while (Queue.ProcessNext(0)) {
  }
  EXPECT_FALSE(Notified);
}

TEST(Event, ManualResetStaysSetUntilReset) {
  TEvent Event("TonegraphEvent");
  EXPECT_EQ(Event.Name(), "TonegraphEvent");
  EXPECT_FALSE(Event.WaitFor(10));
  Event.SetEvent();
  EXPECT_TRUE(Event.WaitFor(0));
  EXPECT_TRUE(Event.WaitFor(0));
  Event.ResetEvent();
  EXPECT_FALSE(Event.WaitFor(10));
}

TEST(Event, WaitEndsWhenAnotherThreadSetsIt) {
  TEvent Event;
  std::thread Setter([&] { Event.SetEvent(); });
  EXPECT_TRUE(Event.WaitFor(10000));
  Setter.join();
}

} // namespace
