// After an entry of the statistics list is deleted, the one before it is
// selected, or the new first one.
#include <gtest/gtest.h>

#include "StatListSelection.h"

namespace {

TEST(StatListSelection, SelectsTheEntryBeforeTheDeletedOneOrTheFirst) {
  const struct {
    const char *Title;
    int Deleted, Remaining, Selected;
  } Cases[] = {
      {"first of three", 0, 2, 0},
      {"middle of three", 1, 2, 0},
      {"third of three", 2, 2, 1},
      {"the only one", 0, 0, -1},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(SelectionAfterDelete(Case.Deleted, Case.Remaining), Case.Selected) << Case.Title;
}

} // namespace
