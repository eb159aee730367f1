#include "RetentionPolicy.h"

#include <cctype>

#include "HistoryError.h"

namespace {

std::int64_t UnitSeconds(char AUnit) {
  switch (AUnit) {
  case 's': return 1;
  case 'm': return 60;
  case 'h': return 3600;
  case 'd': return 86400;
  case 'w': return 7 * 86400;
  default: return 0;
  }
}

// "90d": seconds; nullopt for anything else. Up to six digits: a million weeks
// is further than any history goes.
std::optional<std::int64_t> ParseSpan(const std::string &AText) {
  if (AText.size() < 2 || AText.size() > 7)
    return std::nullopt;
  const std::string Digits = AText.substr(0, AText.size() - 1);
  for (const char C : Digits)
    if (!std::isdigit(static_cast<unsigned char>(C)))
      return std::nullopt;
  const std::int64_t Value = std::stoll(Digits) * UnitSeconds(AText.back());
  return Value > 0 ? std::optional<std::int64_t>(Value) : std::nullopt;
}

std::vector<std::string> Split(const std::string &AText, char ASeparator) {
  std::vector<std::string> Parts(1);
  for (const char C : AText)
    if (C == ASeparator)
      Parts.emplace_back();
    else
      Parts.back() += C;
  return Parts;
}

[[noreturn]] void Refuse(const std::string &AText, const std::string &AWhy) {
  throw EHistoryError("'" + AText + "' is not a retention policy like " + DefaultRetentionPolicy + ": " + AWhy);
}

TRetentionTier ParseTier(const std::string &APolicy, const std::string &ATier) {
  const std::vector<std::string> Parts = Split(ATier, ':');
  if (Parts.size() > 2)
    Refuse(APolicy, "\"" + ATier + "\" has more than one ':'");
  TRetentionTier Tier;
  if (Parts[0] != "all" && !(Tier.Every = ParseSpan(Parts[0])))
    Refuse(APolicy, "\"" + Parts[0] + "\" is neither all nor a duration like 30m, 1h or 1d");
  if (Parts.size() == 2 && !(Tier.Until = ParseSpan(Parts[1])))
    Refuse(APolicy, "\"" + Parts[1] + "\" is no age like 7d or 12w");
  return Tier;
}

}  // namespace

TRetentionPolicy ParseRetentionPolicy(const std::string &AText) {
  TRetentionPolicy Policy;
  for (const std::string &Text : Split(AText, ',')) {
    const TRetentionTier Tier = ParseTier(AText, Text);
    if (!Policy.Tiers.empty() && !Policy.Tiers.back().Until)
      Refuse(AText, "only the last tier may go on for ever");
    if (!Policy.Tiers.empty() && Tier.Until && *Tier.Until <= *Policy.Tiers.back().Until)
      Refuse(AText, "each tier must end later than the one before");
    Policy.Tiers.push_back(Tier);
  }
  return Policy;
}
