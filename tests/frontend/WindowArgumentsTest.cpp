// The window's --help and --version are answered before any window exists;
// every other command line opens the window.
#include <gtest/gtest.h>

#include "WindowArguments.h"

namespace {

TEST(WindowArguments, HelpAndVersionAreAnsweredWithoutAWindow) {
  const std::string Version = std::string("tonegraph ") + TONEGRAPH_PROJECT_VERSION + "\n";
  const struct {
    std::vector<std::string> Args;
    std::optional<std::string> Answer; // "HELP" for the help text
  } Cases[] = {
      {{}, std::nullopt},
      {{"line.draydata", "-c", "home.conf"}, std::nullopt},
      {{"--demo", "--demo-profile", "35b"}, std::nullopt},
      {{"--version"}, Version},
      {{"line.draydata", "--version"}, Version},
      {{"--help"}, "HELP"},
      {{"-h", "--version"}, "HELP"},
      {{"--version", "--help"}, Version},
  };
  CLI::App Window;
  DefineWindowArguments(Window);
  for (const auto &Case : Cases) {
    const std::optional<std::string> Wanted = Case.Answer == "HELP" ? Window.help() : Case.Answer;
    EXPECT_EQ(AnswerWithoutWindow(Case.Args), Wanted) << testing::PrintToString(Case.Args);
  }
}

TEST(WindowArguments, TheHelpNamesWhatTheWindowReads) {
  CLI::App Window;
  DefineWindowArguments(Window);
  const std::string Help = Window.help();
  EXPECT_EQ(Help.find("Usage: tonegraph [OPTIONS] [FILE...]"), Help.find('\n') + 1) << Help;
  for (const std::string &Option :
       {std::string("-c FILE"), std::string(DemoSwitch), std::string(DemoProfileSwitch) + " P",
        std::string("--version"), std::string("-h,--help")})
    EXPECT_NE(Help.find("  " + Option), std::string::npos) << Option << "\n" << Help;
}

} // namespace
