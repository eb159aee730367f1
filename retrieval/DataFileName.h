#pragma once
// The name of a retrieval's snapshot and the proposed name of a snapshot file:
// date and time without separators, then the router name, e.g.
// "20250102-080000-MyRouter.draydata".

#include <ctime>
#include <string>

std::string GenerateDataFileName(const std::string &ARouterName, const std::tm &ALocalTime);
// The same from the current local date and time.
std::string GenerateDataFileName(const std::string &ARouterName);
