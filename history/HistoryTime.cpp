#include "HistoryTime.h"

#include <cstdio>
#include <filesystem>
#include <regex>

std::string UtcTimeText(std::time_t ATime) {
  std::tm Utc{};
  gmtime_r(&ATime, &Utc);
  char Text[32];
  std::strftime(Text, sizeof Text, "%Y-%m-%dT%H:%M:%SZ", &Utc);
  return Text;
}

namespace {

// Six numbers from match group AFirst on: year, month, day, and hours,
// minutes and seconds when matched.
template <typename TMatch> std::tm TimeFields(const TMatch &AMatch, int AFirst) {
  std::tm Time{};
  const auto Field = [&](int AGroup) { return AMatch[AFirst + AGroup].matched ? std::stoi(AMatch[AFirst + AGroup].str()) : 0; };
  Time.tm_year = Field(0) - 1900;
  Time.tm_mon = Field(1) - 1;
  Time.tm_mday = Field(2);
  Time.tm_hour = Field(3);
  Time.tm_min = Field(4);
  Time.tm_sec = Field(5);
  return Time;
}

// timegm and mktime move 2026-02-30 on to March and 25:00 to the next day:
// such a text is no time. Nor is one before the first capture could be.
bool SameFields(const std::tm &AGiven, const std::tm &ANormal) {
  return AGiven.tm_year >= 70 && ANormal.tm_year == AGiven.tm_year && ANormal.tm_mon == AGiven.tm_mon &&
         ANormal.tm_mday == AGiven.tm_mday && ANormal.tm_hour == AGiven.tm_hour && ANormal.tm_min == AGiven.tm_min &&
         ANormal.tm_sec == AGiven.tm_sec;
}

// "20261210-215254-DrayTek.draydata": the date and time, then the router.
bool MatchDataFileName(const std::string &APath, std::smatch &AMatch, std::string &AName) {
  static const std::regex Pattern(R"((\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})-(.*))");
  AName = std::filesystem::path(APath).filename().string();
  return std::regex_match(AName, AMatch, Pattern);
}

}  // namespace

std::optional<std::time_t> ParseUtcTime(std::string_view AText) {
  static const std::regex Pattern(R"((\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2}):(\d{2})Z?)?)");
  std::match_results<std::string_view::const_iterator> Match;
  if (!std::regex_match(AText.begin(), AText.end(), Match, Pattern))
    return std::nullopt;
  const std::tm Given = TimeFields(Match, 1);
  std::tm Time = Given;
  const std::time_t Result = timegm(&Time);
  if (!SameFields(Given, Time))
    return std::nullopt;
  return Result;
}

std::optional<std::string> RouterFromDataFileName(const std::string &APath) {
  std::smatch Match;
  std::string Name;
  if (!MatchDataFileName(APath, Match, Name))
    return std::nullopt;
  constexpr std::string_view Extension = ".draydata";
  const std::string Router = Match[7].str();
  if (Router.size() <= Extension.size() || !Router.ends_with(Extension))
    return std::nullopt;
  return Router.substr(0, Router.size() - Extension.size());
}

std::optional<std::string> TimeFromDataFileName(const std::string &APath) {
  std::smatch Match;
  std::string Name;
  if (!MatchDataFileName(APath, Match, Name))
    return std::nullopt;
  const std::tm Given = TimeFields(Match, 1);
  std::tm Local = Given;
  Local.tm_isdst = -1;
  const std::time_t Time = std::mktime(&Local);
  if (Time == static_cast<std::time_t>(-1) || !SameFields(Given, Local))
    return std::nullopt;
  return UtcTimeText(Time);
}
