#include "SnapshotList.h"

#include <algorithm>

#include "DrayData.h"
#include "TextCase.h"

TDrayData *TSnapshotList::SnapshotAt(int ARow) const {
  return ARow >= 0 && ARow < Count() ? FEntries[static_cast<std::size_t>(ARow)].Snapshot : nullptr;
}

int TSnapshotList::RowOf(const TDrayData *ASnapshot) const {
  const auto found = std::find_if(FEntries.begin(), FEntries.end(),
                                  [ASnapshot](const TEntry &AEntry) { return AEntry.Snapshot == ASnapshot; });
  return found == FEntries.end() ? NoRow : static_cast<int>(found - FEntries.begin());
}

bool TSnapshotList::HoldsName(std::string_view AName) const {
  return std::any_of(FEntries.begin(), FEntries.end(),
                     [AName](const TEntry &AEntry) { return SameTextIgnoringCase(AEntry.Name, AName); });
}

int TSnapshotList::Insert(TDrayData *ASnapshot) {
  const std::string &name = ASnapshot->Name();
  const auto place = std::upper_bound(FEntries.begin(), FEntries.end(), name,
                                      [](const std::string &AName, const TEntry &AEntry) {
                                        return CompareTextIgnoringCase(AName, AEntry.Name) < 0;
                                      });
  const int row = static_cast<int>(place - FEntries.begin());
  FEntries.insert(place, TEntry{name, ASnapshot});
  FSelected = row;
  return row;
}

int TSnapshotList::Delete(const TDrayData *ASnapshot) {
  const int row = RowOf(ASnapshot);
  if (row == NoRow)
    return NoRow;
  FEntries.erase(FEntries.begin() + row);
  if (FEntries.empty())
    FSelected = NoRow;
  else
    FSelected = row > 0 ? std::min(row - 1, Count() - 1) : 0;
  return row;
}

void TSnapshotList::Select(int ARow) {
  FSelected = ARow >= 0 && ARow < Count() ? ARow : NoRow;
}
