#pragma once
// tonegraph-cli started in the background, as a user starts a server from a
// shell, and interrupted (SIGINT) when the object goes.

#include <string>
#include <sys/types.h>

class TCliBackground {
public:
  // AArgs as for RunCli. Waits (at most 20 s) until the program has printed
  // a line ending in "port N", or has ended.
  explicit TCliBackground(const std::string &AArgs);
  ~TCliBackground();
  TCliBackground(const TCliBackground &) = delete;
  TCliBackground &operator=(const TCliBackground &) = delete;

  // The N of that line; 0 when none came.
  int Port() const { return FPort; }
  // Everything the program printed so far, stdout and stderr together.
  const std::string &Output() const { return FOutput; }

private:
  bool ReadSome();

  pid_t FPid = -1;
  int FPipe = -1;
  int FPort = 0;
  std::string FOutput;
};
