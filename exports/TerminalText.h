#pragma once
// Text from routers, files and databases on its way to a terminal, which is
// also an input: valid UTF-8 (broken sequences become U+FFFD, as in the JSON
// outputs) with every control character (C0, DEL, C1), which could move the
// cursor or start an escape sequence, written as \xHH or \u00HH.

#include <string>
#include <string_view>

std::string TerminalText(std::string_view ABytes);
