#pragma once
// Text as the man macros read it. The parser's descriptions are plain text:
// a backslash, a line that begins with a dot or quote, or a character outside
// ASCII would otherwise be taken as a request or render wrongly.

#include <string>

// A run of prose: escapes, and keeps every line from starting a request.
std::string RoffText(const std::string &AText);

// An option name or a command line, where every hyphen is a minus sign so
// that it can be copied and searched for: "\-\-output".
std::string RoffCode(const std::string &AText);
