// The snapshot list owns its snapshots and tells the window about every
// change while the snapshot concerned still exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "DrayData.h"
#include "DrayDataList.h"

namespace {

// Records its own destruction so that the test can see when the list frees it.
class TTrackedData : public TDrayData {
public:
  TTrackedData(const std::string &AName, std::vector<std::string> &AFreed) : TDrayData(AName), FFreed(AFreed) {}
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

class DrayDataList : public testing::Test {
protected:
  DrayDataList() {
    FList->SetOnNotify([this](TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction) {
      const bool Freed = std::find(FFreed.begin(), FFreed.end(), AItem->Name()) != FFreed.end();
      FEvents.push_back({AItem->Name(), AAction, ASender.Count(), Freed});
    });
  }

  void Add(const std::vector<std::string> &ANames) {
    for (const std::string &Name : ANames)
      FList->Add(std::make_unique<TTrackedData>(Name, FFreed));
  }

  std::vector<std::string> FFreed;
  std::vector<TEvent> FEvents;
  std::unique_ptr<TDrayDataList> FList = std::make_unique<TDrayDataList>();
};

TEST_F(DrayDataList, AddNotifiesAfterJoiningAndKeepsTheOrderOfAdding) {
  Add({"b", "a"});
  ASSERT_EQ(FEvents.size(), 2u);
  EXPECT_EQ(FEvents[1].Name, "a");
  EXPECT_EQ(FEvents[1].Action, TListNotification::Added);
  EXPECT_EQ(FEvents[1].CountSeen, 2);
  EXPECT_EQ(FList->Items(0)->Name(), "b");
  EXPECT_EQ(FList->IndexOf(FList->Items(1)), 1);
}

TEST_F(DrayDataList, RemoveNotifiesThenFrees) {
  Add({"a", "b"});
  FEvents.clear();
  FList->Remove(FList->Items(0));
  ASSERT_EQ(FEvents.size(), 1u);
  EXPECT_EQ(FEvents[0].Action, TListNotification::Removed);
  EXPECT_EQ(FEvents[0].CountSeen, 1);   // already dropped from the list
  EXPECT_FALSE(FEvents[0].AlreadyFreed);  // still alive during the notification
  EXPECT_EQ(FFreed, std::vector<std::string>{"a"});
}

TEST_F(DrayDataList, RemoveOfASnapshotNotInTheListDoesNothing) {
  Add({"a"});
  FEvents.clear();
  TDrayData Stranger("x");
  FList->Remove(&Stranger);
  EXPECT_TRUE(FEvents.empty());
  EXPECT_EQ(FList->Count(), 1);
  EXPECT_EQ(FList->IndexOf(&Stranger), -1);
}

TEST_F(DrayDataList, ClearEmptiesFirstThenNotifiesEachInOrder) {
  Add({"a", "b", "c"});
  FEvents.clear();
  FList->Clear();
  ASSERT_EQ(FEvents.size(), 3u);
  for (std::size_t I = 0; I < 3; ++I) {
    EXPECT_EQ(FEvents[I].Name, std::string(1, static_cast<char>('a' + I)));
    EXPECT_EQ(FEvents[I].CountSeen, 0);
    EXPECT_FALSE(FEvents[I].AlreadyFreed);
  }
  EXPECT_EQ(FFreed, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(DrayDataList, DestroyingTheListNotifiesAndFreesWhatItHolds) {
  Add({"a", "b"});
  FEvents.clear();
  FList.reset();
  EXPECT_EQ(FEvents.size(), 2u);
  EXPECT_EQ(FFreed, (std::vector<std::string>{"a", "b"}));
}

TEST_F(DrayDataList, FailingNotificationStillFreesEverySnapshot) {
  Add({"a", "b"});
  FList->SetOnNotify([](TDrayDataList &, TDrayData *, TListNotification) { throw std::runtime_error("boom"); });
  EXPECT_THROW(FList->Clear(), std::runtime_error);
  EXPECT_EQ(FFreed.size(), 2u);
  EXPECT_EQ(FList->Count(), 0);
}

} // namespace
