// The Qt main-thread queue: closures from worker threads run on the main
// thread in the order posted, and never after the queue was closed.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "QtMainThreadQueue.h"

namespace {

// Stands in for the main window: it owns state that closures touch and closes
// the queue when it goes away, as the real window does in its destructor.
struct TFakeWindow {
  explicit TFakeWindow(std::shared_ptr<TQtMainThreadQueue> AQueue) : FQueue(std::move(AQueue)) {}
  ~TFakeWindow() { FQueue->Close(); }
  std::shared_ptr<TQtMainThreadQueue> FQueue;
  std::vector<int> FSeen;
};

constexpr int PostCount = 20000;

// Waits for the posted closures without any time limit of its own: a queue
// that loses closures hangs here and the test runner's timeout reports it.
template <class TCondition> void RunEventsUntil(TCondition ADone) {
  while (!ADone())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

class TQueueTest : public QObject {
  Q_OBJECT

private slots:
  void ClosuresRunOnMainThreadInPostedOrder();
  void OrderKeptPerThreadWithTwoWorkers();
  void PendingClosuresDoNotRunAfterClose();
  void WorkerKeepsPostingAfterWindowDestroyed();
  void QueueLivesWhileOnlyWorkerHoldsIt();
};

void TQueueTest::ClosuresRunOnMainThreadInPostedOrder() {
  auto queue = TQtMainThreadQueue::Create();
  std::vector<int> seen;
  bool allOnMainThread = true;
  bool done = false;
  QThread *mainThread = QThread::currentThread();
  std::thread worker([&, queue] {
    for (int i = 0; i < PostCount; ++i)
      queue->Post([&, i] {
        allOnMainThread = allOnMainThread && QThread::currentThread() == mainThread;
        seen.push_back(i);
      });
    queue->Post([&] { done = true; });
  });
  RunEventsUntil([&] { return done; });
  worker.join();
  QVERIFY(allOnMainThread);
  QCOMPARE(seen.size(), std::size_t(PostCount));
  for (int i = 0; i < PostCount; ++i)
    if (seen[i] != i)
      QFAIL(qPrintable(QStringLiteral("closure %1 ran at position %2").arg(seen[i]).arg(i)));
}

void TQueueTest::OrderKeptPerThreadWithTwoWorkers() {
  auto queue = TQtMainThreadQueue::Create();
  std::vector<std::pair<int, int>> seen;  // (worker, index)
  int finished = 0;
  auto work = [&, queue](int AWorker) {
    for (int i = 0; i < PostCount / 2; ++i)
      queue->Post([&, AWorker, i] { seen.emplace_back(AWorker, i); });
    queue->Post([&] { ++finished; });
  };
  std::thread first(work, 0), second(work, 1);
  RunEventsUntil([&] { return finished == 2; });
  first.join();
  second.join();
  int next[2] = {0, 0};
  for (auto [w, i] : seen) {
    QCOMPARE(i, next[w]);
    ++next[w];
  }
  QCOMPARE(next[0], PostCount / 2);
  QCOMPARE(next[1], PostCount / 2);
}

void TQueueTest::PendingClosuresDoNotRunAfterClose() {
  auto queue = TQtMainThreadQueue::Create();
  int runs = 0;
  for (int i = 0; i < 100; ++i)
    queue->Post([&] { ++runs; });
  queue->Close();
  QVERIFY(!queue->IsOpen());
  queue->Post([&] { ++runs; });
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
  QCOMPARE(runs, 0);
}

// The closures write into the window through a raw pointer; if one of them
// ran after the window was deleted, AddressSanitizer would report it.
void TQueueTest::WorkerKeepsPostingAfterWindowDestroyed() {
  auto queue = TQtMainThreadQueue::Create();
  auto *window = new TFakeWindow(queue);
  std::atomic<bool> windowGone{false};
  std::atomic<int> postedAfter{0};
  bool firstRan = false;
  std::thread worker([queue, window, &windowGone, &postedAfter, &firstRan] {
    queue->Post([&firstRan] { firstRan = true; });
    for (int i = 0; !windowGone.load() || postedAfter.load() < PostCount; ++i) {
      queue->Post([window, i] { window->FSeen.push_back(i); });
      if (windowGone.load())
        ++postedAfter;
    }
  });
  RunEventsUntil([&] { return firstRan; });
  QCoreApplication::processEvents();  // let some of the window's closures run
  delete window;
  windowGone = true;
  worker.join();
  QCOMPARE(postedAfter.load(), PostCount);
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
}

void TQueueTest::QueueLivesWhileOnlyWorkerHoldsIt() {
  auto queue = TQtMainThreadQueue::Create();
  std::weak_ptr<TQtMainThreadQueue> watch = queue;
  int runs = 0;
  std::thread worker([q = std::move(queue), &runs]() mutable {
    for (int i = 0; i < 10; ++i)
      q->Post([&runs] { ++runs; });
    q.reset();  // the worker ends; only the posted closures hold the queue now
  });
  worker.join();
  QVERIFY(!watch.expired());
  RunEventsUntil([&] { return runs == 10; });
  QVERIFY(watch.expired());
}

QTEST_GUILESS_MAIN(TQueueTest)
#include "tst_queue.moc"
