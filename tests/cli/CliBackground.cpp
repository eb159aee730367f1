#include "CliBackground.h"

#include <csignal>
#include <regex>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CliRun.h"

extern char **environ;

TCliBackground::TCliBackground(const std::string &AArgs) {
  int Pipe[2];
  if (pipe(Pipe) != 0)
    return;
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
  // exec: the shell's process becomes the program, so the signal reaches it.
  const std::string Command = "exec " + Quoted(TONEGRAPH_CLI) + " " + AArgs + " </dev/null";
  const char *Argv[] = {"sh", "-c", Command.c_str(), nullptr};
  if (posix_spawn(&FPid, "/bin/sh", &Actions, nullptr, const_cast<char **>(Argv), environ) != 0)
    FPid = -1;
  posix_spawn_file_actions_destroy(&Actions);
  close(Pipe[1]);
  FPipe = Pipe[0];
  const std::regex PortLine(" port ([0-9]+)\n");
  std::smatch Match;
  while (!std::regex_search(FOutput, Match, PortLine) && ReadSome()) {
  }
  if (std::regex_search(FOutput, Match, PortLine))
    FPort = std::stoi(Match[1]);
}

TCliBackground::~TCliBackground() {
  if (FPid > 0) {
    kill(FPid, SIGINT);
    waitpid(FPid, nullptr, 0);
  }
  if (FPipe >= 0)
    close(FPipe);
}

// False once the program has closed its output or said nothing for 20 s.
bool TCliBackground::ReadSome() {
  pollfd Wait{FPipe, POLLIN, 0};
  if (FPipe < 0 || poll(&Wait, 1, 20000) <= 0)
    return false;
  char Chunk[4096];
  const ssize_t Got = read(FPipe, Chunk, sizeof Chunk);
  if (Got <= 0)
    return false;
  FOutput.append(Chunk, static_cast<std::size_t>(Got));
  return true;
}
