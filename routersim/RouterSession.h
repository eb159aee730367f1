#pragma once
// One connection to the simulated router: the logon dialogue, then command
// lines answered until the client leaves or the router is stopped.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "RouterAnswers.h"
#include "RouterInput.h"
#include "RouterSimOptions.h"

class TRouterSession {
public:
  // Takes over ASocket (non-blocking) and closes it when Run returns.
  // AStopFd becomes readable when the router is stopped. ASlowAnswers, when
  // given, counts the answers held back by AnswerDelayMs as each pause begins.
  TRouterSession(int ASocket, int AStopFd, const TRouterSimOptions &AOptions,
                 const TRouterAnswers &AAnswers, bool ARejected, std::atomic<int> *ASlowAnswers = nullptr);
  ~TRouterSession();
  TRouterSession(const TRouterSession &) = delete;
  TRouterSession &operator=(const TRouterSession &) = delete;

  void Run();

private:
  bool Logon();
  bool Answer(const std::string &ACommand);
  bool Deliver(std::string_view AStep, std::string_view AText, const std::string &APrompt);
  // The hostile acts (RouterSessionFaults.cpp); false when the session ends.
  bool Spoil(std::string_view AText);
  bool SendTrickle(std::string_view AText);
  bool SendFlood();
  bool SendEndlessSubNegotiation();
  void Reset();
  bool SendEndless();
  void DiscardUntilClosed();
  bool ReadLine(std::string &ALine);
  bool Receive();
  bool SendPrompt(const std::string &APrompt);
  bool SendText(std::string_view AText);
  bool Send(std::string_view ABytes);
  bool Pause(std::uint32_t AMilliseconds);
  bool WaitFor(short AEvents, int ATimeoutMs);

  int FSocket;
  int FStopFd;
  const TRouterSimOptions &FOptions;
  const TRouterAnswers &FAnswers;
  bool FRejected;
  std::atomic<int> *FSlowAnswers;
  TRouterInput FInput;
  std::string FPrompt;
};
