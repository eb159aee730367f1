#pragma once
// The entries of the snapshot list as the list box shows them: one for each
// snapshot of the window's list, with its name, in ascending order of names
// with letter case ignored, and at most one of them selected. An entry is
// matched to its snapshot by the snapshot it stands for, never by its name:
// several snapshots may bear the same name.

#include <string>
#include <string_view>
#include <vector>

class TDrayData;

class TSnapshotList {
public:
  struct TEntry {
    std::string Name;
    TDrayData *Snapshot;
  };
  static constexpr int NoRow = -1;

  const std::vector<TEntry> &Entries() const { return FEntries; }
  int Count() const { return static_cast<int>(FEntries.size()); }
  TDrayData *SnapshotAt(int ARow) const;
  // The row of the entry standing for ASnapshot, NoRow when there is none.
  int RowOf(const TDrayData *ASnapshot) const;
  // Whether an entry bears AName, letter case ignored.
  bool HoldsName(std::string_view AName) const;

  // An entry for ASnapshot, with its name as it is now, at its sorted place
  // after the entries whose names equal its own; it becomes the selected
  // one. Gives its row.
  int Insert(TDrayData *ASnapshot);
  // Deletes the entry standing for ASnapshot and selects the one that stood
  // just before it, or the new first one. Gives the deleted row, NoRow (and
  // nothing changes) when no entry stands for ASnapshot.
  int Delete(const TDrayData *ASnapshot);

  int SelectedRow() const { return FSelected; }
  // The snapshot of the selected entry, none when no entry is selected.
  TDrayData *Selected() const { return SnapshotAt(FSelected); }
  // NoRow, or a row past the entries, leaves none selected.
  void Select(int ARow);

private:
  std::vector<TEntry> FEntries;
  int FSelected = NoRow;
};
