#pragma once
// tonegraph-cli in the background, as a shell or a service manager runs a
// watch: signalled, frozen, waited for, its standard error read as it grows.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class TBackgroundCli {
public:
  // AArgs as for RunCli; APrefix runs in the shell first ("ulimit -n 256; ").
  TBackgroundCli(const std::string &AArgs, const std::string &AStdinFile, const std::string &AErrFile,
                 const std::string &APrefix = "");
  ~TBackgroundCli();
  TBackgroundCli(const TBackgroundCli &) = delete;
  TBackgroundCli &operator=(const TBackgroundCli &) = delete;

  // Waits until standard error matches APattern; its first group, "" when
  // it did not within ATimeout.
  std::string WaitFor(const std::string &APattern, std::chrono::milliseconds ATimeout) const;
  void Signal(int ASignal) const;
  // Waits until a SIGSTOP has taken effect: from then on the program writes
  // nothing more until SIGCONT.
  bool WaitStopped(std::chrono::milliseconds ATimeout) const;
  // The exit status, -1 for a signal or no end within ATimeout.
  int Wait(std::chrono::milliseconds ATimeout);

private:
  std::string FErrFile;
  pid_t FPid = -1;
};

// Polls AHappened until it is true or ATimeout has passed; its last answer.
bool WaitUntil(const std::function<bool()> &AHappened, std::chrono::milliseconds ATimeout);

// The arguments of a watch of the simulated router at APort into ADatabase,
// the password read from standard input.
std::string WatchArgs(std::uint16_t APort, const std::string &ADatabase, const std::string &AMore);
