#include "DataFileName.h"

#include <cstdio>

std::string GenerateDataFileName(const std::string &ARouterName, const std::tm &ALocalTime) {
  char Stamp[64];
  std::snprintf(Stamp, sizeof Stamp, "%.2d%.2d%.2d-%.2d%.2d%.2d-", ALocalTime.tm_year + 1900,
                ALocalTime.tm_mon + 1, ALocalTime.tm_mday, ALocalTime.tm_hour, ALocalTime.tm_min,
                ALocalTime.tm_sec);
  return Stamp + ARouterName + ".draydata";
}

std::string GenerateDataFileName(const std::string &ARouterName) {
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  return GenerateDataFileName(ARouterName, Local);
}
