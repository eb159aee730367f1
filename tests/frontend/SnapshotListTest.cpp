// The entries of the snapshot list: sorted by name with letter case ignored,
// equal names side by side, each entry standing for its own snapshot, and
// the selection after an entry leaves.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "DrayData.h"
#include "SnapshotList.h"

namespace {

// Snapshots with the given names, kept apart from the list as the window's
// list of snapshots keeps them.
class TSnapshots {
public:
  TDrayData *Add(const std::string &AName) {
    FItems.emplace_back().SetName(AName);
    return &FItems.back();
  }

private:
  std::deque<TDrayData> FItems;
};

std::vector<std::string> Names(const TSnapshotList &AList) {
  std::vector<std::string> names;
  for (const TSnapshotList::TEntry &entry : AList.Entries())
    names.push_back(entry.Name);
  return names;
}

TEST(SnapshotList, InsertsAtTheSortedPlaceAndSelectsTheNewEntry) {
  const struct {
    const char *Title;
    std::vector<std::string> Before;
    std::string Added;
    int Row;
  } Cases[] = {
      {"empty list", {}, "b", 0},
      {"dated name above letters", {"Loaded from file"}, "20250102-080000-MyRouter.draydata", 0},
      {"letters below a dated name", {"20250102-080000-x.draydata"}, "Loaded from file", 1},
      {"case ignored", {"apple", "Cherry"}, "Banana", 1},
      {"case ignored, small letters added", {"Apple", "cherry"}, "banana", 1},
      {"equal names: after them", {"Loaded from file", "Loaded from file", "z"}, "LOADED FROM FILE", 2},
      {"Latin-1 capital folds", {"\xC3\xA4" "b", "\xC3\xA4" "d"}, "\xC3\x84" "c", 1},
      {"a name before the longer ones it starts", {"Router1", "Router10"}, "Router", 0},
  };
  for (const auto &Case : Cases) {
    TSnapshots snapshots;
    TSnapshotList list;
    for (const std::string &name : Case.Before)
      list.Insert(snapshots.Add(name));
    TDrayData *added = snapshots.Add(Case.Added);
    EXPECT_EQ(list.Insert(added), Case.Row) << Case.Title;
    EXPECT_EQ(list.SelectedRow(), Case.Row) << Case.Title;
    EXPECT_EQ(list.Selected(), added) << Case.Title;
    EXPECT_EQ(list.RowOf(added), Case.Row) << Case.Title;
  }
}

// The order does not depend on the order of adding.
TEST(SnapshotList, EntriesStandInOrderWhateverTheyWereAddedIn) {
  const std::vector<std::vector<std::string>> Orders = {
      {"Loaded from file", "20250102-080000-DrayTek.draydata", "b", "A"},
      {"A", "b", "20250102-080000-DrayTek.draydata", "Loaded from file"},
      {"b", "Loaded from file", "A", "20250102-080000-DrayTek.draydata"},
  };
  for (const auto &Order : Orders) {
    TSnapshots snapshots;
    TSnapshotList list;
    for (const std::string &name : Order)
      list.Insert(snapshots.Add(name));
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"20250102-080000-DrayTek.draydata", "A", "b", "Loaded from file"}));
  }
}

// Three entries, deleting one by its snapshot: the entry before it is
// selected, or the new first one; the others keep their own snapshots.
TEST(SnapshotList, DeletingSelectsTheEntryBeforeOrTheNewFirst) {
  const struct {
    const char *Title;
    int Deleted;
    int Selected;
  } Cases[] = {{"first of three", 0, 0}, {"middle of three", 1, 0}, {"third of three", 2, 1}};
  for (const auto &Case : Cases) {
    TSnapshots snapshots;
    TSnapshotList list;
    TDrayData *const items[] = {snapshots.Add("a"), snapshots.Add("b"), snapshots.Add("c")};
    for (TDrayData *item : items)
      list.Insert(item);
    EXPECT_EQ(list.Delete(items[Case.Deleted]), Case.Deleted) << Case.Title;
    EXPECT_EQ(list.SelectedRow(), Case.Selected) << Case.Title;
    EXPECT_EQ(list.RowOf(items[Case.Deleted]), TSnapshotList::NoRow) << Case.Title;
    for (int i = 0; i < 3; ++i) {
      if (i != Case.Deleted) {
        EXPECT_EQ(list.SnapshotAt(list.RowOf(items[i])), items[i]) << Case.Title;
      }
    }
  }
}

// Two entries that read alike: deleting either deletes exactly its own.
TEST(SnapshotList, EqualNamesAreToldApartByTheirSnapshots) {
  for (int deleted = 0; deleted < 2; ++deleted) {
    TSnapshots snapshots;
    TSnapshotList list;
    TDrayData *const items[] = {snapshots.Add("Loaded from file"), snapshots.Add("Loaded from file")};
    list.Insert(items[0]);
    list.Insert(items[1]);
    list.Delete(items[deleted]);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.SnapshotAt(0), items[1 - deleted]);
    EXPECT_EQ(list.Selected(), items[1 - deleted]);
  }
}

TEST(SnapshotList, DeletingTheLastOrAStrangerLeavesNoneOrAllAsItWas) {
  TSnapshots snapshots;
  TSnapshotList list;
  TDrayData *only = snapshots.Add("only");
  TDrayData *stranger = snapshots.Add("stranger");
  list.Insert(only);
  EXPECT_EQ(list.Delete(stranger), TSnapshotList::NoRow);
  EXPECT_EQ(list.Selected(), only);
  EXPECT_EQ(list.Delete(only), 0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.SelectedRow(), TSnapshotList::NoRow);
  EXPECT_EQ(list.Selected(), nullptr);
}

TEST(SnapshotList, SelectionOutsideTheEntriesIsNone) {
  TSnapshots snapshots;
  TSnapshotList list;
  list.Insert(snapshots.Add("a"));
  list.Insert(snapshots.Add("b"));
  const struct {
    int Row, Selected;
  } Cases[] = {{0, 0}, {1, 1}, {2, TSnapshotList::NoRow}, {TSnapshotList::NoRow, TSnapshotList::NoRow}, {-5, TSnapshotList::NoRow}};
  for (const auto &Case : Cases) {
    list.Select(Case.Row);
    EXPECT_EQ(list.SelectedRow(), Case.Selected) << Case.Row;
    EXPECT_EQ(list.Selected(), list.SnapshotAt(Case.Selected)) << Case.Row;
  }
}

// "Data already loaded" asks whether a name is listed, letter case ignored.
TEST(SnapshotList, HoldsNameIgnoringCase) {
  TSnapshots snapshots;
  TSnapshotList list;
  list.Insert(snapshots.Add("20250102-080000-DrayTek.draydata"));
  EXPECT_TRUE(list.HoldsName("20250102-080000-DRAYTEK.DRAYDATA"));
  EXPECT_FALSE(list.HoldsName("20250102-080000-DrayTek"));
  EXPECT_FALSE(TSnapshotList().HoldsName(""));
}

} // namespace
