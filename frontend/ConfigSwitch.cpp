#include "ConfigSwitch.h"

#include <cctype>

namespace {

// Only "-" begins a switch: on this platform an argument that begins with
// "/" is an absolute path, most often the very file the switch names.
bool StartsLikeSwitch(const std::string &AArg) {
  return !AArg.empty() && AArg[0] == '-';
}

bool IsConfigSwitch(const std::string &AArg) {
  return AArg.size() >= 2 && StartsLikeSwitch(AArg) && (AArg[1] == 'c' || AArg[1] == 'C');
}

}  // namespace

std::optional<std::string> FindConfigSwitch(const std::vector<std::string> &AArgs) {
  for (std::size_t i = 0; i < AArgs.size(); ++i) {
    const std::string &arg = AArgs[i];
    if (!IsConfigSwitch(arg))
      continue;
    if (arg.size() > 2)
      return arg.substr(arg[2] == ':' ? 3 : 2);
    if (i + 1 < AArgs.size() && !StartsLikeSwitch(AArgs[i + 1]))
      return AArgs[i + 1];
    return std::string();
  }
  return std::nullopt;
}

namespace {

bool NamesConfiguration(const std::string &AArg) {
  static const std::string Extension = ".conf";
  if (StartsLikeSwitch(AArg) || AArg.size() <= Extension.size())
    return false;
  const std::string Tail = AArg.substr(AArg.size() - Extension.size());
  for (std::size_t i = 0; i < Tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(Tail[i])) != Extension[i])
      return false;
  return true;
}

}  // namespace

std::optional<std::string> FindStartupConfiguration(const std::vector<std::string> &AArgs) {
  if (std::optional<std::string> Switched = FindConfigSwitch(AArgs))
    return Switched;
  for (const std::string &arg : AArgs)
    if (NamesConfiguration(arg))
      return arg;
  return std::nullopt;
}
