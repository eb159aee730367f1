// Names and reasons on their way to a terminal: broken UTF-8 replaced as in
// the JSON, control characters shown, never obeyed.
#include <gtest/gtest.h>

#include <string>

#include "TerminalText.h"

TEST(TerminalText, ReplacesBrokenBytesAndShowsControlCharacters) {
  const struct {
    std::string Text, Shown;
  } Cases[] = {
      {"Vigor 165", "Vigor 165"},
      {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
      {"Caf\xE9", "Caf\xEF\xBF\xBD"},
      {"\x1B]0;owned\x07", "\\x1B]0;owned\\x07"},
      {"a\r\nb\tc\x7F", "a\\x0D\\x0Ab\\x09c\\x7F"},
      {std::string("nul\0end", 7), "nul\\x00end"},
      {"csi\xC2\x9B" "2J", "csi\\u009B2J"},
      {"\xC2\xA0nbsp", "\xC2\xA0nbsp"},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(TerminalText(Case.Text), Case.Shown) << Case.Text;
}
