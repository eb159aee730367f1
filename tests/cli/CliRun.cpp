#include "CliRun.h"

#include <sys/wait.h>

#include <cstdio>

#include "TestFiles.h"

TCliRun RunCli(const std::string &AArgs, const std::string &AStdinFile) {
  TTempFolder Folder;
  const std::string ErrFile = Folder.Path("stderr");
  const std::string Command =
      Quoted(TONEGRAPH_CLI) + " " + AArgs + " <" + Quoted(AStdinFile) + " 2>" + Quoted(ErrFile);
  TCliRun Run;
  FILE *Pipe = ::popen(Command.c_str(), "r");
  if (!Pipe)
    return Run;
  char Chunk[65536];
  while (const std::size_t Got = std::fread(Chunk, 1, sizeof Chunk, Pipe))
    Run.Out.append(Chunk, Got);
  const int Raw = ::pclose(Pipe);
  Run.Status = WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
  Run.Err = ReadBytes(ErrFile);
  return Run;
}

std::string Quoted(const std::string &AText) {
  std::string Text = "'";
  for (const char C : AText)
    Text += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Text + "'";
}
