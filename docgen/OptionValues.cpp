#include "OptionValues.h"

#include <algorithm>
#include <cctype>

#include "ParserParts.h"
#include "VDSLProfile.h"

namespace {

std::string Lower(std::string AText) {
  std::transform(AText.begin(), AText.end(), AText.begin(), [](unsigned char C) { return std::tolower(C); });
  return AText;
}

bool EndsWith(const std::string &AText, const std::string &AEnd) {
  return AText.size() >= AEnd.size() && AText.compare(AText.size() - AEnd.size(), AEnd.size(), AEnd) == 0;
}

std::vector<std::string> ProfileNames() {
  std::vector<std::string> Names;
  for (const char *Name : VDSLProfileNames)
    if (ProfileFromName(Name) != vpNA)
      Names.push_back(Lower(Name));
  return Names;
}

// "TEXT:{csv,json,png}", the type name CLI11 gives an option checked
// against a set.
std::optional<std::vector<std::string>> SetMembers(const std::string &ATypeName) {
  const std::size_t Open = ATypeName.find('{');
  const std::size_t Close = ATypeName.rfind('}');
  if (Open == std::string::npos || Close == std::string::npos || Close < Open)
    return std::nullopt;
  std::vector<std::string> Members;
  std::string Member;
  for (const char Char : ATypeName.substr(Open + 1, Close - Open - 1) + ",") {
    if (Char != ',') {
      Member += Char;
    } else if (!Member.empty()) {
      Members.push_back(Member);
      Member.clear();
    }
  }
  return Members;
}

bool NamesAFile(const CLI::Option &AOption) {
  static const char *const FileTypeNames[] = {"F", "FILE", "FILE...", "OUT", "DB"};
  const std::string Type = AOption.get_type_name();
  return AOption.get_positional() ||
         std::find(std::begin(FileTypeNames), std::end(FileTypeNames), Type) != std::end(FileTypeNames);
}

} // namespace

std::optional<std::vector<std::string>> ValueWords(const CLI::Option &AOption) {
  if (!TakesValue(AOption))
    return std::nullopt;
  if (EndsWith(LongestName(AOption), "profile"))
    return ProfileNames();
  return SetMembers(AOption.get_type_name());
}

std::optional<std::string> FileGlob(const CLI::Option &AOption) {
  if (!TakesValue(AOption) || !NamesAFile(AOption))
    return std::nullopt;
  // In this order: "store these snapshot files ... (the database is made
  // when missing)" names snapshot files.
  static const std::pair<const char *, const char *> Kinds[] = {
      {"configuration file", "*.conf"}, {"snapshot", "*.draydata"}, {"history database", "*.tgdb"}};
  const std::string Description = Lower(AOption.get_description());
  for (const auto &[Words, Glob] : Kinds)
    if (Description.find(Words) != std::string::npos)
      return std::string(Glob);
  return std::string("*");
}
