#pragma once
// Where entries go in the sorted statistics list and which entry is selected
// once one has been deleted.

#include <QString>
#include <QStringList>

// Ascending, letter case ignored; a new entry goes after the ones equal to it.
int SortedInsertIndex(const QStringList &ATexts, const QString &AText);

// After deleting the entry at ADeleted, leaving ARemaining entries: the entry
// before it, or the new first one; -1 when the list is empty.
int SelectionAfterDelete(int ADeleted, int ARemaining);
