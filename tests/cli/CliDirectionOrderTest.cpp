// Every text the command line prints lists the two directions in one order,
// upstream first, as the snapshot file, the JSON and the window do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.h"
#include "TestFiles.h"

namespace {

// Each of AWords stands in AText after the one before it.
void ExpectInOrder(const std::string &AText, const std::vector<std::string> &AWords) {
  std::size_t At = 0;
  for (const std::string &Word : AWords) {
    At = AText.find(Word, At);
    ASSERT_NE(At, std::string::npos) << Word << " after the words before it in\n" << AText;
    At += Word.size();
  }
}

TEST(CliDirectionOrder, UpstreamFirstInEveryText) {
  TTempFolder Folder;
  const std::string Sample = Quoted(std::string(TONEGRAPH_EXAMPLES_DIR) + "/sample.draydata");
  const TCliRun Diff = RunCli("diff " + Sample + " " + Sample);
  ASSERT_EQ(Diff.Status, 0) << Diff.Err;
  ExpectInOrder(Diff.Out, {"us actual rate", "ds actual rate", "us snr margin", "ds snr margin",
                           "us tones that gained bits", "us tones that lost bits", "ds tones that gained bits",
                           "ds tones that lost bits"});

  const std::string Database = Quoted(Folder.Path("history.db"));
  ASSERT_EQ(RunCli("history " + Database + " --add " + Sample).Status, 0);
  const TCliRun Listed = RunCli("history " + Database);
  ASSERT_EQ(Listed.Status, 0) << Listed.Err;
  ExpectInOrder(Listed.Out, {"us rate", "ds rate"});

  const TCliRun Analyzed = RunCli("analyze " + Sample);
  ASSERT_EQ(Analyzed.Status, 0) << Analyzed.Err;
  ExpectInOrder(Analyzed.Out, {"Reported by the router", "US", "DS", "From the tables", "US", "DS"});
}

} // namespace
