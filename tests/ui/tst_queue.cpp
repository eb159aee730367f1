// The Qt main-thread queue: closures from worker threads run on the main
// thread in the order posted; display requests that arrive after the window
// is gone are dropped by the relay they pass through.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "QtMainThreadQueue.h"
#include "ViewRelay.h"

namespace {

// A window as far as a reader can see it: a QObject that shows requests. It
// counts them through a pointer, so a request that reached it after its
// destruction would both be counted and read freed memory.
class TViewWindow : public QObject, public TQuietRetrievalView {
public:
  explicit TViewWindow(std::atomic<int> &ACount) : FCount(&ACount) {}
  void SetStatusText(const std::string &) override { FCount->fetch_add(1); }

private:
  std::atomic<int> *FCount;
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
  void RequestsAfterTheWindowIsGoneAreDropped();
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

// What a reader does when the window closes mid-run: it keeps posting
// display requests through its relay, and none may reach the window.
void TQueueTest::RequestsAfterTheWindowIsGoneAreDropped() {
  auto queue = TQtMainThreadQueue::Create();
  std::atomic<int> shown{0};
  auto *window = new TViewWindow(shown);
  auto relay = std::make_shared<TViewRelay>(window, window);
  std::atomic<bool> windowGone{false};
  std::atomic<int> postedAfter{0};
  bool firstRan = false;
  std::thread worker([queue, relay, &windowGone, &postedAfter, &firstRan] {
    queue->Post([&firstRan] { firstRan = true; });
    while (!windowGone.load() || postedAfter.load() < PostCount) {
      queue->Post([relay] { relay->SetStatusText("Retrieving data..."); });
      if (windowGone.load())
        ++postedAfter;
    }
  });
  RunEventsUntil([&] { return firstRan && shown.load() > 0; });
  delete window;
  const int shownBefore = shown.load();
  windowGone = true;
  worker.join();
  bool allRun = false;
  queue->Post([&allRun] { allRun = true; });
  RunEventsUntil([&] { return allRun; });
  QCOMPARE(shown.load(), shownBefore);
}

QTEST_GUILESS_MAIN(TQueueTest)
#include "tst_queue.moc"
