#include "StatListOrder.h"

int SortedInsertIndex(const QStringList &ATexts, const QString &AText) {
  int index = 0;
  while (index < ATexts.size() && QString::compare(ATexts[index], AText, Qt::CaseInsensitive) <= 0)
    ++index;
  return index;
}

int SelectionAfterDelete(int ADeleted, int ARemaining) {
  if (ARemaining <= 0)
    return -1;
  return ADeleted > 0 ? std::min(ADeleted - 1, ARemaining - 1) : 0;
}
