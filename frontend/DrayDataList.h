#pragma once
// The snapshots the window holds, in the order they were added. The list owns
// them: a snapshot leaving the list is freed right after the change
// notification for it has run.

#include <functional>
#include <memory>
#include <vector>

class TDrayData;

enum class TListNotification { Added, Removed };

class TDrayDataList {
public:
  using TNotifyEvent = std::function<void(TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction)>;

  TDrayDataList() = default;
  ~TDrayDataList();
  TDrayDataList(const TDrayDataList &) = delete;
  TDrayDataList &operator=(const TDrayDataList &) = delete;

  void SetOnNotify(TNotifyEvent AEvent) { FOnNotify = std::move(AEvent); }

  int Count() const { return static_cast<int>(FItems.size()); }
  TDrayData *Items(int AIndex) const { return FItems.at(AIndex).get(); }
  int IndexOf(const TDrayData *AItem) const;

  // Takes ownership; notifies Added. Returns the new index.
  int Add(std::unique_ptr<TDrayData> AItem);
  // Drops AItem, notifies Removed, frees it. An item not in the list is
  // left alone.
  void Remove(TDrayData *AItem);
  // Empties the list at once, then notifies Removed for every snapshot in
  // list order, freeing each after its notification.
  void Clear();

private:
  void NotifyRemovedAndFree(std::unique_ptr<TDrayData> AItem);

  std::vector<std::unique_ptr<TDrayData>> FItems;
  TNotifyEvent FOnNotify;
};
