// What the name of a snapshot file the program made says: when and from
// which router, read back from the names the program writes. Other names say
// nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "DataFileName.h"
#include "HistoryTime.h"

namespace {

// The process's time zone is AZone while this lives.
class TTimeZone {
public:
  explicit TTimeZone(const char *AZone) {
    const char *const Before = std::getenv("TZ");
    FBefore = Before ? std::optional<std::string>(Before) : std::nullopt;
    setenv("TZ", AZone, 1);
    tzset();
  }
  ~TTimeZone() {
    if (FBefore)
      setenv("TZ", FBefore->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  TTimeZone(const TTimeZone &) = delete;
  TTimeZone &operator=(const TTimeZone &) = delete;

private:
  std::optional<std::string> FBefore;
};

} // namespace

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
  const TTimeZone Zone("CET-1");  // an hour east of UTC, no summer time
  EXPECT_EQ(TimeFromDataFileName("/x/20261210-215254-DrayTek.draydata"), "2026-12-10T20:52:54Z");
  EXPECT_EQ(TimeFromDataFileName("notes.draydata"), std::nullopt);
}

// The names the retrieval gives its snapshots read back as the date, time and
// router they were made from, whatever the router is called.
TEST(DataFileName, WhatTheRetrievalNamesReadsBack) {
  const TTimeZone Zone("UTC0");
  // In UTC the local time the name is made of reads back unchanged.
  const char *const Times[] = {"2026-12-10T21:52:54Z", "2000-01-01T00:00:00Z", "2024-02-29T23:59:59Z",
                               "1999-12-31T09:05:07Z", "2038-01-19T03:14:08Z"};
  const char *const Routers[] = {"DrayTek",           "Vigor 165",  " spaced out ", "Vigor-2865ax",   "a.b.c",
                                 "Dray_Tek (office)", "Z\u00fcrich", "20261210-215254-x", "x.draydata", "100%"};
  for (const char *Time : Times)
    for (const char *Router : Routers) {
      std::tm Local{};
      ASSERT_TRUE(strptime(Time, "%Y-%m-%dT%H:%M:%SZ", &Local)) << Time;
      const std::string Name = "/lines/" + GenerateDataFileName(Router, Local);
      EXPECT_EQ(RouterFromDataFileName(Name), std::string(Router)) << Name;
      EXPECT_EQ(TimeFromDataFileName(Name), std::string(Time)) << Name;
    }
}

// A name whose digits make no date or time is no time at all, not one that
// the calendar arithmetic moves to another day or year.
TEST(DataFileName, DigitsThatMakeNoTimeAreNoTime) {
  const TTimeZone Zone("UTC0");
  for (const char *Name : {"20261340-256199-X.draydata", "00000000-000000-DrayTek.draydata",
                           "20260230-120000-DrayTek.draydata", "20261210-240000-DrayTek.draydata",
                           "20261210-126000-DrayTek.draydata", "19691231-235959-DrayTek.draydata"})
    EXPECT_EQ(TimeFromDataFileName(Name), std::nullopt) << Name;
  EXPECT_EQ(TimeFromDataFileName("19700101-000000-DrayTek.draydata"), "1970-01-01T00:00:00Z");
}

TEST(HistoryTime, ParsesOnlyTimesThatExist) {
  const struct {
    const char *Text;
    std::optional<std::time_t> Time;
  } Cases[] = {
      {"2026-12-10T21:45:04Z", 1796939104}, {"2026-12-10T21:45:04", 1796939104}, {"2026-12-10", 1796860800},
      {"1970-01-01", 0},                    {"2026-02-29", std::nullopt},        {"2026-13-01", std::nullopt},
      {"2026-12-10T24:00:00Z", std::nullopt}, {"0000-01-01", std::nullopt},     {"1969-12-31T23:59:59Z", std::nullopt},
      {"2026-12-10T21:45:04+01", std::nullopt}, {"", std::nullopt},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(ParseUtcTime(Case.Text), Case.Time) << Case.Text;
}
