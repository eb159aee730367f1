// Every command of tonegraph-cli answers help, wrong usage and bad values the
// same way: help on stdout with status 0, wrong usage on stderr with the
// command's name, the reason and its help, status 2.
#include <gtest/gtest.h>

#include <string>

#include "CliRun.h"

namespace {

const char *const Commands[] = {"", "import", "show", "analyze", "retrieve", "routersim", "export"};

std::string Prefixed(const std::string &ACommand) {
  return ACommand.empty() ? "tonegraph-cli" : "tonegraph-cli " + ACommand;
}

TEST(CliUsage, HelpGoesToStdoutWithStatusZero) {
  for (const std::string Command : Commands)
    for (const char *Help : {" --help", " -h"}) {
      const TCliRun Run = RunCli(Command + Help);
      EXPECT_EQ(Run.Status, 0) << Command << Help;
      EXPECT_NE(Run.Out.find("Usage: " + Prefixed(Command) + " [OPTIONS]"), std::string::npos) << Run.Out;
      EXPECT_EQ(Run.Err, "") << Command << Help;
    }
}

TEST(CliUsage, AnUnknownOptionIsWrongUsageOfThatCommand) {
  // With what each command requires, so that the unknown option is all that
  // is wrong.
  const std::pair<std::string, std::string> CommandsWithRequired[] = {
      {"", ""},         {"import", " -o x"},   {"show", " x"}, {"analyze", " x"}, {"retrieve", " --host h --user u"},
      {"routersim", ""}, {"export", " x --format csv"}};
  for (const auto &[Command, Required] : CommandsWithRequired) {
    const TCliRun Run = RunCli(Command + Required + " --bogus");
    EXPECT_EQ(Run.Status, 2) << Command;
    const std::string Expected = Prefixed(Command) + ": The following argument was not expected: --bogus\n\n";
    EXPECT_EQ(Run.Err.substr(0, Expected.size()), Expected) << Command;
    EXPECT_NE(Run.Err.find("Usage: " + Prefixed(Command) + " [OPTIONS]"), std::string::npos) << Command;
    EXPECT_EQ(Run.Out, "") << Command;
  }
}

TEST(CliUsage, WrongValuesAndMissingCommandsAreWrongUsage) {
  const struct {
    const char *Args;
    const char *Reason;  // the first line of stderr
  } Cases[] = {
      {"", "tonegraph-cli: A subcommand is required"},
      {"frobnicate", "tonegraph-cli: The following argument was not expected: frobnicate"},
      {"retrieve --host h --user u --port 0", "tonegraph-cli retrieve: --port: Value 0 not in range 1 to 65535"},
      {"retrieve --host h --user u --port 65536",
       "tonegraph-cli retrieve: --port: Value 65536 not in range 1 to 65535"},
      {"retrieve --host h --user u --port 23x", "tonegraph-cli retrieve: --port: Value 23x not in range 1 to 65535"},
      {"retrieve --host h --user u --port", "tonegraph-cli retrieve: --port: 1 required N missing"},
      {"retrieve --user u", "tonegraph-cli retrieve: the router (--host H, or --config FILE that names one) is required"},
      {"retrieve --host h", "tonegraph-cli retrieve: the user (--user U, or --config FILE that names one) is required"},
      {"retrieve --host h --user u --router-name ''",
       "tonegraph-cli retrieve: --router-name: the router name must not be empty"},
      {"retrieve --host h --user u --bins --no-bins", "tonegraph-cli retrieve: --bins excludes --no-bins"},
      {"retrieve --host h --user u --password-stdin --password-file pw",
       "tonegraph-cli retrieve: --password-stdin excludes --password-file"},
      {"watch --host h --user u --into x.tgdb --every 5m --password-file pw --password-stdin",
       "tonegraph-cli watch: --password-stdin excludes --password-file"},
      {"routersim --port 65536", "tonegraph-cli routersim: --port: Value 65536 not in range 0 to 65535"},
      {"routersim --answer-delay -1", "tonegraph-cli routersim: --answer-delay: Value -1 not in range 0 to 3600000"},
      {"routersim --profile N/A", "tonegraph-cli routersim: --profile: unknown profile 'N/A'"},
      {"routersim extra", "tonegraph-cli routersim: The following argument was not expected: extra"},
      {"routersim --fault silence", "tonegraph-cli routersim: --fault: expected KIND@STEP, not \"silence\""},
      {"routersim --fault 'shout@vdsl status'",
       "tonegraph-cli routersim: --fault: expected KIND@STEP, not \"shout@vdsl status\""},
      {"retrieve --host h --user u --answer-timeout 0",
       "tonegraph-cli retrieve: --answer-timeout: Value 0 not in range 1 to 65535"},
      {"routersim --gauge 0.45", "tonegraph-cli routersim: --gauge: unknown gauge '0.45': the gauges are 0.4, 0.5 and 0.6 mm"},
      {"routersim --gauge 5", "tonegraph-cli routersim: --gauge: unknown gauge '5': the gauges are 0.4, 0.5 and 0.6 mm"},
      {"routersim --gauge thin", "tonegraph-cli routersim: --gauge: unknown gauge 'thin': the gauges are 0.4, 0.5 and 0.6 mm"},
      {"routersim --loop-length -5", "tonegraph-cli routersim: --loop-length: Value -5 not in range 0 to 5000"},
      {"routersim --loop-length 5001", "tonegraph-cli routersim: --loop-length: Value 5001 not in range 0 to 5000"},
      {"routersim --loop-length 1km", "tonegraph-cli routersim: --loop-length: Value 1km not in range 0 to 5000"},
      {"routersim --tap-length -1", "tonegraph-cli routersim: --tap-length: Value -1 not in range 0 to 1000"},
      {"routersim --tap-length nan", "tonegraph-cli routersim: --tap-length: Value nan not in range 0 to 1000"},
      {"routersim --disturber 35.4", "tonegraph-cli routersim: --disturber: A disturber at 35.4 MHz lies outside 0 to 35.328 MHz"},
      {"routersim --disturber -0.1:20", "tonegraph-cli routersim: --disturber: A disturber at -0.1 MHz lies outside 0 to 35.328 MHz"},
      {"routersim --disturber 7.1:0", "tonegraph-cli routersim: --disturber: A disturber needs a rise above 0 dB, not 0 dB"},
      {"routersim --disturber 7.1:-6", "tonegraph-cli routersim: --disturber: A disturber needs a rise above 0 dB, not -6 dB"},
      {"routersim --disturber 7.1:", "tonegraph-cli routersim: --disturber: '7.1:' is not MHZ or MHZ:DB"},
      {"routersim --disturber 40m", "tonegraph-cli routersim: --disturber: '40m' is not MHZ or MHZ:DB"},
      {"routersim --disturber 7.1 3.6", "tonegraph-cli routersim: The following argument was not expected: 3.6"},
      {"routersim --disturber 7.1 --no-disturbers", "tonegraph-cli routersim: --disturber excludes --no-disturbers"},
  };
  for (const auto &Case : Cases) {
    const TCliRun Run = RunCli(Case.Args);
    EXPECT_EQ(Run.Status, 2) << Case.Args;
    EXPECT_EQ(Run.Err.substr(0, Run.Err.find('\n')), Case.Reason) << Case.Args;
    EXPECT_EQ(Run.Out, "") << Case.Args;
  }
}

TEST(CliUsage, VersionGoesToStdoutWithStatusZero) {
  const TCliRun Run = RunCli("--version");
  EXPECT_EQ(Run.Status, 0);
  EXPECT_EQ(Run.Out, std::string("tonegraph-cli ") + TONEGRAPH_PROJECT_VERSION + "\n");
  EXPECT_EQ(Run.Err, "");
}

} // namespace
