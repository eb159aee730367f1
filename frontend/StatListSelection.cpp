#include "StatListSelection.h"

#include <algorithm>

int SelectionAfterDelete(int ADeleted, int ARemaining) {
  if (ARemaining <= 0)
    return -1;
  return ADeleted > 0 ? std::min(ADeleted - 1, ARemaining - 1) : 0;
}
