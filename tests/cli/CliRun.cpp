#include "CliRun.h"

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "TestFiles.h"

namespace {

// ACommandPrefix runs in the shell before the program, which it then becomes.
TCliRun RunCliAfter(const std::string &ACommandPrefix, const std::string &AArgs, const std::string &AStdinFile) {
  TTempFolder Folder;
  const std::string ErrFile = Folder.Path("stderr");
  const std::string Command = ACommandPrefix + "exec " + Quoted(TONEGRAPH_CLI) + " " + AArgs + " <" +
                              Quoted(AStdinFile) + " 2>" + Quoted(ErrFile);
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

} // namespace

TCliRun RunCli(const std::string &AArgs, const std::string &AStdinFile) { return RunCliAfter("", AArgs, AStdinFile); }

TCliRun RunCliOnAFullDisk(const std::string &AArgs, unsigned ABlocks) {
  return RunCliAfter("ulimit -f " + std::to_string(ABlocks) + "; ", AArgs, "/dev/null");
}

std::string Quoted(const std::string &AText) {
  std::string Text = "'";
  for (const char C : AText)
    Text += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Text + "'";
}

TCliRun RunCliWatched(const std::string &AArgs, const std::string &AStdinFile, int ADeadlineMs) {
  TTempFolder Folder;
  const std::string OutFile = Folder.Path("stdout"), ErrFile = Folder.Path("stderr");
  const std::string Command = "exec " + Quoted(TONEGRAPH_CLI) + " " + AArgs + " <" + Quoted(AStdinFile) + " >" +
                              Quoted(OutFile) + " 2>" + Quoted(ErrFile);
  const char *Argv[] = {"sh", "-c", Command.c_str(), nullptr};
  TCliRun Run;
  pid_t Child = 0;
  if (posix_spawn(&Child, "/bin/sh", nullptr, nullptr, const_cast<char *const *>(Argv), environ) != 0)
    return Run;
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ADeadlineMs);
  int Raw = 0;
  rusage Usage{};
  while (wait4(Child, &Raw, WNOHANG, &Usage) == 0) {
    if (std::chrono::steady_clock::now() > Deadline) {
      kill(Child, SIGKILL);
      wait4(Child, &Raw, 0, &Usage);
      Raw = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  Run.Status = Raw != -1 && WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
  Run.MaxRssKb = Usage.ru_maxrss;
  Run.Out = ReadBytes(OutFile);
  Run.Err = ReadBytes(ErrFile);
  return Run;
}
