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

std::optional<std::time_t> ParseUtcTime(std::string_view AText) {
  static const std::regex Pattern(R"((\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2}):(\d{2})Z?)?)");
  std::match_results<std::string_view::const_iterator> Match;
  if (!std::regex_match(AText.begin(), AText.end(), Match, Pattern))
    return std::nullopt;
  std::tm Time{};
  Time.tm_year = std::stoi(Match[1].str()) - 1900;
  Time.tm_mon = std::stoi(Match[2].str()) - 1;
  Time.tm_mday = std::stoi(Match[3].str());
  if (Match[4].matched) {
    Time.tm_hour = std::stoi(Match[4].str());
    Time.tm_min = std::stoi(Match[5].str());
    Time.tm_sec = std::stoi(Match[6].str());
  }
  const std::tm Given = Time;
  const std::time_t Result = timegm(&Time);
  // timegm moves 2026-02-30 on to March; such a date is no time.
  if (Time.tm_mday != Given.tm_mday || Time.tm_mon != Given.tm_mon || Time.tm_hour != Given.tm_hour ||
      Time.tm_min != Given.tm_min || Time.tm_sec != Given.tm_sec)
    return std::nullopt;
  return Result;
}

namespace {

// "20261210-215254-DrayTek.draydata": the date and time, then the router.
bool MatchDataFileName(const std::string &APath, std::smatch &AMatch, std::string &AName) {
  static const std::regex Pattern(R"((\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})-(.*))");
  AName = std::filesystem::path(APath).filename().string();
  return std::regex_match(AName, AMatch, Pattern);
}

}  // namespace

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
  std::tm Local{};
  Local.tm_year = std::stoi(Match[1].str()) - 1900;
  Local.tm_mon = std::stoi(Match[2].str()) - 1;
  Local.tm_mday = std::stoi(Match[3].str());
  Local.tm_hour = std::stoi(Match[4].str());
  Local.tm_min = std::stoi(Match[5].str());
  Local.tm_sec = std::stoi(Match[6].str());
  Local.tm_isdst = -1;
  const std::time_t Time = std::mktime(&Local);
  if (Time == static_cast<std::time_t>(-1))
    return std::nullopt;
  return UtcTimeText(Time);
}
