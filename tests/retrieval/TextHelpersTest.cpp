#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "DataFileName.h"

namespace {

struct TNameCase {
  const char *Name;
  int Year, Month, Day, Hour, Minute, Second;
  const char *Router;
  const char *Expected;
};

class DataFileNameCase : public ::testing::TestWithParam<TNameCase> {};

TEST_P(DataFileNameCase, DateTimeThenRouterName) {
  const TNameCase &Case = GetParam();
  std::tm Time{};
  Time.tm_year = Case.Year - 1900;
  Time.tm_mon = Case.Month - 1;
  Time.tm_mday = Case.Day;
  Time.tm_hour = Case.Hour;
  Time.tm_min = Case.Minute;
  Time.tm_sec = Case.Second;
  EXPECT_EQ(GenerateDataFileName(Case.Router, Time), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DataFileNameCase,
    ::testing::Values(TNameCase{"MorningZeroPadded", 2025, 1, 2, 8, 0, 0, "MyRouter",
                                "20250102-080000-MyRouter.draydata"},
                      TNameCase{"LastSecondOfTheYear", 2026, 12, 31, 23, 59, 59, "DrayTek",
                                "20261231-235959-DrayTek.draydata"},
                      TNameCase{"BlankInRouterNameKept", 2025, 6, 7, 0, 5, 9, "Vigor 130",
                                "20250607-000509-Vigor 130.draydata"},
                      TNameCase{"EmptyRouterName", 2025, 6, 7, 0, 5, 9, "",
                                "20250607-000509-.draydata"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

TEST(DataFileName, CurrentTimeFormHasTheSameShape) {
  const std::string Name = GenerateDataFileName("DrayTek");
  ASSERT_EQ(Name.size(), std::string("20250102-080000-DrayTek.draydata").size());
  EXPECT_EQ(Name.substr(8, 1), "-");
  EXPECT_EQ(Name.substr(15), "-DrayTek.draydata");
}

} // namespace
