// tonegraph-cli import and show, run as a user runs them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../TestFiles.h"

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
};

// Runs the program with the arguments (already quoted) and collects stdout;
// stderr goes to AErrFile when given.
TRun Cli(const std::string &AArgs, const std::string &AErrFile = "/dev/null") {
  const std::string Command = std::string("'") + TONEGRAPH_CLI + "' " + AArgs + " 2>'" + AErrFile + "'";
  TRun Run;
  FILE *Pipe = ::popen(Command.c_str(), "r");
  if (!Pipe)
    return Run;
  char Chunk[65536];
  while (const std::size_t Got = std::fread(Chunk, 1, sizeof Chunk, Pipe))
    Run.Out.append(Chunk, Got);
  const int Raw = ::pclose(Pipe);
  Run.Status = WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
  return Run;
}

std::string Quoted(const std::string &APath) { return "'" + APath + "'"; }

TEST(CliImportShow, ImportThenShowAsJson) {
  TTempFolder Folder;
  const std::string Out = Folder.Path("line.draydata");
  const TRun Import = Cli("import --profile 17A --hlog " + Quoted(FixturePath("line17a-hlog.txt")) + " --qln " +
                          Quoted(FixturePath("line17a-qln.txt")) + " --bins " + Quoted(FixturePath("line17a-bins.txt")) +
                          " -o " + Quoted(Out));
  ASSERT_EQ(Import.Status, 0);
  const TRun Show = Cli("show " + Quoted(Out) + " --json");
  ASSERT_EQ(Show.Status, 0);
  const std::string &Json = Show.Out;
  for (const char *Part : {"{\"name\":\"Loaded from file\",\"dataVersion\":2,\"profile\":\"17A\",\"profileIndex\":7,"
                           "\"status\":[],\"hlog\":{\"groupSize\":[8,8],\"us\":[null,",
                           // Loading rebuilds every table: no SNR file gives nulls, not "unassigned".
                           "\"snr\":{\"groupSize\":[0,0],\"us\":[null,null,",
                           "\"bins\":{\"us\":{\"bin\":[0,1,2,", "\"raw\":{\"hlog\":{\"us\":[\"bin=   0:",
                           "\"bins\":{\"us\":[\"UPSTREAM :\",", "\"snr\":{\"us\":[],\"ds\":[]}"})
    EXPECT_NE(Json.find(Part), std::string::npos) << Part;
  EXPECT_EQ(Json.back(), '\n');
}

TEST(CliImportShow, SummaryOfTheShippedExample) {
  const TRun Show = Cli("show " + Quoted(std::string(TONEGRAPH_EXAMPLES_DIR) + "/sample.draydata"));
  ASSERT_EQ(Show.Status, 0);
  EXPECT_NE(Show.Out.find("Name:          Loaded from file\n"), std::string::npos);
  EXPECT_NE(Show.Out.find("VDSL profile:  17A\n"), std::string::npos);
  EXPECT_NE(Show.Out.find("HLog  US      8"), std::string::npos);
}

TEST(CliImportShow, ErrorsAndUsage) {
  TTempFolder Folder;
  const std::string Err = Folder.Path("err.txt");
  struct TCase {
    std::string Args;
    int Status;
    std::string ErrStart;  // what stderr begins with
  };
  const TCase Cases[] = {
      {"show " + Quoted(Folder.Path("none.draydata")), 1,
       "Cannot open file \"" + Folder.Path("none.draydata") + "\". No such file or directory\n"},
      {"show " + Quoted(FixturePath("line17a-hlog.txt")), 1, "Invalid property value\n"},
      {"import --hlog " + Quoted(Folder.Path("none.txt")) + " -o " + Quoted(Folder.Path("x.draydata")), 1,
       "Cannot open file \"" + Folder.Path("none.txt") + "\". No such file or directory\n"},
      {"import --profile 9z -o x", 2, "tonegraph-cli import: unknown profile '9z'"},
      {"import --hlog a", 2, "tonegraph-cli import: the output file (-o OUT) is missing"},
      {"import --bogus -o x", 2, "tonegraph-cli import: unknown option '--bogus'"},
      {"show", 2, "tonegraph-cli show: the snapshot file is missing"},
      {"show a b", 2, "tonegraph-cli show: only one snapshot file"},
  };
  for (const TCase &Case : Cases) {
    const TRun Run = Cli(Case.Args, Err);
    EXPECT_EQ(Run.Status, Case.Status) << Case.Args;
    EXPECT_EQ(ReadBytes(Err).substr(0, Case.ErrStart.size()), Case.ErrStart) << Case.Args;
    EXPECT_EQ(Run.Out, "") << Case.Args;
  }
  // A failed import leaves no file behind.
  EXPECT_FALSE(std::filesystem::exists(Folder.Path("x.draydata")));
}

TEST(CliImportShow, HelpGoesToStdout) {
  for (const char *Args : {"import --help", "show --help"}) {
    const TRun Run = Cli(Args);
    EXPECT_EQ(Run.Status, 0);
    EXPECT_EQ(Run.Out.rfind("Usage: tonegraph-cli ", 0), 0u) << Args;
  }
}

} // namespace
