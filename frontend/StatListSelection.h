#pragma once
// Which entry of the statistics list is selected once one has been deleted.

// After deleting the entry at ADeleted, leaving ARemaining entries: the entry
// before it, or the new first one; -1 when the list is empty.
int SelectionAfterDelete(int ADeleted, int ARemaining);
