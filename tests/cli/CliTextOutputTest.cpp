// What a history database holds reaches the terminal as text, never as
// control sequences, and its JSON is UTF-8 whatever bytes a name has.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "HistoryStore.h"
#include "TestFiles.h"

TEST(CliTextOutput, NamesWithBrokenBytesAndEscapesAreShownNotObeyed) {
  TTempFolder Folder;
  const std::string Database = Folder.Path("line.tgdb");
  {
    THistoryStore Store(Database, THistoryStore::TOpen::CreateIfMissing);
    Store.AddFailure("2026-12-10T21:45:04Z", "Caf\xE9 \x1B[2J", "refused \x1B]0;owned\x07");
  }
  const TCliRun Json = RunCli("history " + Quoted(Database) + " --json");
  ASSERT_EQ(Json.Status, 0) << Json.Err;
  const nlohmann::json Captures = nlohmann::json::parse(Json.Out);
  ASSERT_EQ(Captures.size(), 1u);
  EXPECT_EQ(Captures[0]["name"], "Caf\xEF\xBF\xBD \x1B[2J");
  EXPECT_EQ(Captures[0]["error"], "refused \x1B]0;owned\x07");

  const TCliRun Text = RunCli("history " + Quoted(Database));
  ASSERT_EQ(Text.Status, 0) << Text.Err;
  EXPECT_NE(Text.Out.find("Caf\xEF\xBF\xBD \\x1B[2J"), std::string::npos) << Text.Out;
  EXPECT_NE(Text.Out.find("failed: refused \\x1B]0;owned\\x07"), std::string::npos) << Text.Out;
  EXPECT_EQ(Text.Out.find('\x1B'), std::string::npos) << Text.Out;
}
