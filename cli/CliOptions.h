#pragma once
// The options of one sub-command: "--name value" or "--name=value" for value
// options, "--name" for flags, everything else positional.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Commands.h"

class TCliOptions {
public:
  // AValueOptions and AFlags are spelled with their dashes ("-o", "--hlog").
  TCliOptions(const TArgs &AArgs, const std::set<std::string> &AValueOptions, const std::set<std::string> &AFlags);

  // Empty when the arguments were understood; otherwise why not.
  const std::string &Error() const { return FError; }
  bool Has(const std::string &AName) const { return FValues.count(AName) != 0; }
  std::optional<std::string> Value(const std::string &AName) const;
  const std::vector<std::string> &Positional() const { return FPositional; }

private:
  std::map<std::string, std::string> FValues;
  std::vector<std::string> FPositional;
  std::string FError;
};
