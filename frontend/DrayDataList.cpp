#include "DrayDataList.h"

#include <algorithm>

#include "DrayData.h"

TDrayDataList::~TDrayDataList() {
  // A failing notification must not escape a destructor; the snapshots are
  // freed all the same.
  try {
    Clear();
  } catch (...) {
  }
}

int TDrayDataList::IndexOf(const TDrayData *AItem) const {
  const auto found = std::find_if(FItems.begin(), FItems.end(), [AItem](const auto &p) { return p.get() == AItem; });
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

int TDrayDataList::Add(std::unique_ptr<TDrayData> AItem) {
  TDrayData *item = AItem.get();
  FItems.push_back(std::move(AItem));
  if (FOnNotify)
    FOnNotify(*this, item, TListNotification::Added);
  return Count() - 1;
}

void TDrayDataList::NotifyRemovedAndFree(std::unique_ptr<TDrayData> AItem) {
  // AItem is freed when this returns, also when the notification throws.
  if (FOnNotify)
    FOnNotify(*this, AItem.get(), TListNotification::Removed);
}

void TDrayDataList::Remove(TDrayData *AItem) {
  const int index = IndexOf(AItem);
  if (index < 0)
    return;
  std::unique_ptr<TDrayData> item = std::move(FItems[index]);
  FItems.erase(FItems.begin() + index);
  NotifyRemovedAndFree(std::move(item));
}

void TDrayDataList::Clear() {
  std::vector<std::unique_ptr<TDrayData>> items;
  items.swap(FItems);
  // Every snapshot gets its notification and is freed even if an earlier
  // notification failed; the first failure is passed on afterwards.
  std::exception_ptr failure;
  for (auto &item : items) {
    try {
      NotifyRemovedAndFree(std::move(item));
    } catch (...) {
      if (!failure)
        failure = std::current_exception();
    }
  }
  if (failure)
    std::rethrow_exception(failure);
}
