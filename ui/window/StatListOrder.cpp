#include "StatListOrder.h"

int SortedInsertIndex(const QStringList &ATexts, const QString &AText) {
  int index = 0;
  while (index < ATexts.size() && QString::compare(ATexts[index], AText, Qt::CaseInsensitive) <= 0)
    ++index;
  return index;
}
