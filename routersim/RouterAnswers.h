#pragma once
// Every answer of the simulated router for one line, built once: the bytes it
// prints after echoing a command, up to (not including) its prompt.

#include <map>
#include <string>

#include "LineModel.h"
#include "RouterSimOptions.h"

class TRouterAnswers {
public:
  // The line of AOptions, and its byte 255 when IacInData asks for one.
  // Raises ETonegraphError for a line the model refuses.
  explicit TRouterAnswers(const TRouterSimOptions &AOptions);
  const TLineModel &Model() const { return FModel; }
  // Null for a command the router does not know.
  const std::string *Find(const std::string &ACommand) const;
  const std::string &InvalidCommand() const { return FInvalidCommand; }

private:
  TLineModel FModel;
  std::map<std::string, std::string> FAnswers;
  std::string FInvalidCommand;
};
