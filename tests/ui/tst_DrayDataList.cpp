// The snapshot list owns its snapshots and tells the window about every
// change while the snapshot concerned still exists.

#include <QtTest>

#include "DrayData.h"
#include "DrayDataList.h"

namespace {

// Records its own destruction so that the test can see when the list frees it.
class TTrackedData : public TDrayData {
public:
  TTrackedData(std::string AName, std::vector<std::string> &AFreed) : TDrayData(AName), FFreed(AFreed) {}
  ~TTrackedData() override { FFreed.push_back(Name()); }

private:
  std::vector<std::string> &FFreed;
};

struct TEvent {
  std::string Name;
  TListNotification Action;
  int CountSeen;
  bool AlreadyFreed;
};

}  // namespace

class TDrayDataListTest : public QObject {
  Q_OBJECT

  std::vector<std::string> FFreed;
  std::vector<TEvent> FEvents;

  std::unique_ptr<TDrayDataList> NewList() {
    FFreed.clear();
    FEvents.clear();
    auto list = std::make_unique<TDrayDataList>();
    list->SetOnNotify([this](TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction) {
      const bool freed = std::find(FFreed.begin(), FFreed.end(), AItem->Name()) != FFreed.end();
      FEvents.push_back({AItem->Name(), AAction, ASender.Count(), freed});
    });
    return list;
  }

  std::unique_ptr<TDrayData> Data(const char *AName) { return std::make_unique<TTrackedData>(AName, FFreed); }

private slots:
  void AddNotifiesAfterJoining() {
    auto list = NewList();
    list->Add(Data("a"));
    list->Add(Data("b"));
    QCOMPARE(FEvents.size(), std::size_t(2));
    QCOMPARE(FEvents[1].Name, std::string("b"));
    QVERIFY(FEvents[1].Action == TListNotification::Added);
    QCOMPARE(FEvents[1].CountSeen, 2);
    QCOMPARE(list->Items(0)->Name(), std::string("a"));  // list keeps the order of adding
  }

  void RemoveNotifiesThenFrees() {
    auto list = NewList();
    list->Add(Data("a"));
    list->Add(Data("b"));
    FEvents.clear();
    list->Remove(list->Items(0));
    QCOMPARE(FEvents.size(), std::size_t(1));
    QVERIFY(FEvents[0].Action == TListNotification::Removed);
    QCOMPARE(FEvents[0].CountSeen, 1);    // already dropped from the list
    QVERIFY(!FEvents[0].AlreadyFreed);    // still alive during the notification
    QCOMPARE(FFreed, std::vector<std::string>{"a"});
  }

  void RemoveOfForeignSnapshotDoesNothing() {
    auto list = NewList();
    list->Add(Data("a"));
    FEvents.clear();
    TDrayData stranger("x");
    list->Remove(&stranger);
    QVERIFY(FEvents.empty());
    QCOMPARE(list->Count(), 1);
  }

  void ClearEmptiesFirstThenNotifiesEachInOrder() {
    auto list = NewList();
    for (const char *name : {"a", "b", "c"})
      list->Add(Data(name));
    FEvents.clear();
    list->Clear();
    QCOMPARE(FEvents.size(), std::size_t(3));
    for (std::size_t i = 0; i < 3; ++i) {
      QCOMPARE(FEvents[i].Name, std::string(1, char('a' + i)));
      QCOMPARE(FEvents[i].CountSeen, 0);
      QVERIFY(!FEvents[i].AlreadyFreed);
    }
    QCOMPARE(FFreed, (std::vector<std::string>{"a", "b", "c"}));
  }

  void DestroyingTheListFreesWhatItHolds() {
    auto list = NewList();
    list->Add(Data("a"));
    list->Add(Data("b"));
    list.reset();
    QCOMPARE(FFreed.size(), std::size_t(2));
  }

  void FailingNotificationStillFreesEverySnapshot() {
    auto list = NewList();
    list->Add(Data("a"));
    list->Add(Data("b"));
    list->SetOnNotify([](TDrayDataList &, TDrayData *, TListNotification) { throw std::runtime_error("boom"); });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, list->Clear());
    QCOMPARE(FFreed.size(), std::size_t(2));
    QCOMPARE(list->Count(), 0);
  }
};

QTEST_APPLESS_MAIN(TDrayDataListTest)
#include "tst_DrayDataList.moc"
