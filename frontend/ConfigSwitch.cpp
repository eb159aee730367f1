#include "ConfigSwitch.h"

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
