#pragma once
// Times of captures: UTC in ISO 8601 with seconds ("2026-12-10T21:45:04Z"),
// which sorts as text in the order of time.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

std::string UtcTimeText(std::time_t ATime);
// "2026-12-10T21:45:04Z", the same without "Z", or a date alone (midnight).
std::optional<std::time_t> ParseUtcTime(std::string_view AText);
// The time a snapshot file's name gives when it is one the program made
// ("20261210-215254-DrayTek.draydata", local time), as UTC text.
std::optional<std::string> TimeFromDataFileName(const std::string &APath);
// The router's name such a file name gives ("DrayTek").
std::optional<std::string> RouterFromDataFileName(const std::string &APath);
