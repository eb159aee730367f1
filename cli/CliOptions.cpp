#include "CliOptions.h"

TCliOptions::TCliOptions(const TArgs &AArgs, const std::set<std::string> &AValueOptions,
                         const std::set<std::string> &AFlags) {
  for (std::size_t I = 0; I < AArgs.size() && FError.empty(); ++I) {
    std::string Name = AArgs[I];
    if (Name.size() < 2 || Name[0] != '-') {
      FPositional.push_back(Name);
      continue;
    }
    std::optional<std::string> Inline;
    if (const auto Equals = Name.find('='); Equals != std::string::npos && Name.rfind("--", 0) == 0) {
      Inline = Name.substr(Equals + 1);
      Name.resize(Equals);
    }
    if (AFlags.count(Name) && !Inline) {
      FValues[Name] = "";
    } else if (AValueOptions.count(Name)) {
      if (Inline)
        FValues[Name] = *Inline;
      else if (I + 1 < AArgs.size())
        FValues[Name] = AArgs[++I];
      else
        FError = "option '" + Name + "' needs a value";
    } else {
      FError = "unknown option '" + AArgs[I] + "'";
    }
  }
}

std::optional<std::string> TCliOptions::Value(const std::string &AName) const {
  const auto Found = FValues.find(AName);
  if (Found == FValues.end())
    return std::nullopt;
  return Found->second;
}
