#include "CliProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <thread>

#include "CliRun.h"
#include "TestFiles.h"

extern char **environ;

using namespace std::chrono_literals;

TBackgroundCli::TBackgroundCli(const std::string &AArgs, const std::string &AStdinFile, const std::string &AErrFile,
                               const std::string &APrefix)
    : FErrFile(AErrFile) {
  const std::string Command = APrefix + "exec " + Quoted(TONEGRAPH_CLI) + " " + AArgs + " <" + Quoted(AStdinFile) +
                              " 2>" + Quoted(AErrFile);
  const char *Argv[] = {"sh", "-c", Command.c_str(), nullptr};
  posix_spawn(&FPid, "/bin/sh", nullptr, nullptr, const_cast<char *const *>(Argv), environ);
}

TBackgroundCli::~TBackgroundCli() {
  if (FPid > 0) {
    ::kill(FPid, SIGKILL);
    ::waitpid(FPid, nullptr, 0);
  }
}

std::string TBackgroundCli::WaitFor(const std::string &APattern, std::chrono::milliseconds ATimeout) const {
  const std::regex Pattern(APattern);
  const auto Deadline = std::chrono::steady_clock::now() + ATimeout;
  while (std::chrono::steady_clock::now() < Deadline) {
    const std::string Err = ReadBytes(FErrFile);
    std::smatch Match;
    if (std::regex_search(Err, Match, Pattern))
      return Match.size() > 1 ? Match[1].str() : Match[0].str();
    std::this_thread::sleep_for(20ms);
  }
  return "";
}

void TBackgroundCli::Signal(int ASignal) const { ::kill(FPid, ASignal); }

bool TBackgroundCli::WaitStopped(std::chrono::milliseconds ATimeout) const {
  const auto Deadline = std::chrono::steady_clock::now() + ATimeout;
  int Raw = 0;
  while (::waitpid(FPid, &Raw, WNOHANG | WUNTRACED) == 0) {
    if (std::chrono::steady_clock::now() > Deadline)
      return false;
    std::this_thread::sleep_for(5ms);
  }
  return WIFSTOPPED(Raw);
}

int TBackgroundCli::Wait(std::chrono::milliseconds ATimeout) {
  const auto Deadline = std::chrono::steady_clock::now() + ATimeout;
  int Raw = 0;
  while (::waitpid(FPid, &Raw, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > Deadline)
      return -1;
    std::this_thread::sleep_for(10ms);
  }
  FPid = -1;
  return WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1;
}

bool WaitUntil(const std::function<bool()> &AHappened, std::chrono::milliseconds ATimeout) {
  const auto Deadline = std::chrono::steady_clock::now() + ATimeout;
  while (!AHappened() && std::chrono::steady_clock::now() < Deadline)
    std::this_thread::sleep_for(10ms);
  return AHappened();
}

std::string WatchArgs(std::uint16_t APort, const std::string &ADatabase, const std::string &AMore) {
  return "watch --host 127.0.0.1 --port " + std::to_string(APort) + " --user admin --password-stdin --into " +
         Quoted(ADatabase) + " " + AMore;
}
