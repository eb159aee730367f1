// What the name of a snapshot file the program made says: when and from
// which router. Other names say nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "HistoryTime.h"

TEST(DataFileName, RouterOfTheProgramsFileNames) {
  const struct {
    const char *Name;
    std::optional<std::string> Router;
  } Cases[] = {
      {"20261210-215254-DrayTek.draydata", "DrayTek"},
      {"/home/me/lines/20261210-215254-Vigor 165.draydata", "Vigor 165"},
      {"20261210-215254-.draydata", std::nullopt},       // no router
      {"20261210-215254-DrayTek.txt", std::nullopt},     // not a snapshot file
      {"2026121-215254-DrayTek.draydata", std::nullopt}, // no date
      {"DrayTek.draydata", std::nullopt},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(RouterFromDataFileName(Case.Name), Case.Router) << Case.Name;
}

// The file name's time is local time, given back in UTC.
TEST(DataFileName, TimeOfTheProgramsFileNames) {
  const char *const Before = std::getenv("TZ");
  const std::string Kept = Before ? Before : "";
  setenv("TZ", "CET-1", 1);  // an hour east of UTC, no summer time
  EXPECT_EQ(TimeFromDataFileName("/x/20261210-215254-DrayTek.draydata"), "2026-12-10T20:52:54Z");
  EXPECT_EQ(TimeFromDataFileName("notes.draydata"), std::nullopt);
  if (Before)
    setenv("TZ", Kept.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}
