#pragma once
// Where entries go in the sorted statistics list. The order is the list box's
// own, ascending with letter case ignored as the toolkit folds it, so it stays
// with the toolkit; the selection after a delete is in StatListSelection.

#include <QString>
#include <QStringList>

// Ascending, letter case ignored; a new entry goes after the ones equal to it.
int SortedInsertIndex(const QStringList &ATexts, const QString &AText);
