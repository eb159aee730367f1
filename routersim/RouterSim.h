#pragma once
// A simulated DrayTek Vigor on 127.0.0.1: a real Telnet server that keeps to
// the router's logon dialogue and answers the vdsl commands from a model
// line. It runs on its own threads; the destructor stops it at once.

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "RouterAnswers.h"
#include "RouterSimOptions.h"

class TRouterSim {
public:
  explicit TRouterSim(TRouterSimOptions AOptions);
  ~TRouterSim();
  TRouterSim(const TRouterSim &) = delete;
  TRouterSim &operator=(const TRouterSim &) = delete;

  // Takes the port (the chosen one when the options say 0) without listening
  // yet: until Start, a connection to it is refused, and no other program
  // can take it meanwhile. Raises ETonegraphError when the port cannot be had.
  std::uint16_t Bind();
  // Listens (binding first when Bind was not called) and returns the port.
  std::uint16_t Start();
  // Ends every connection and returns when all threads have ended.
  void Stop();
  std::uint16_t Port() const { return FPort; }
  const TRouterSimOptions &Options() const { return FOptions; }
  // Connections accepted so far, refused ones included.
  int ConnectionCount() const { return FConnectionCount.load(); }
  // Answers held back by AnswerDelayMs so far, counted as each pause begins.
  int SlowAnswerCount() const { return FSlowAnswers.load(); }

private:
  struct TSessionSlot {
    std::thread Thread;
    std::atomic<bool> Done{false};
  };

  void AcceptLoop();
  void StartSession(int ASocket);
  void ReapSessions(bool AAll);

  TRouterSimOptions FOptions;
  std::unique_ptr<TRouterAnswers> FAnswers;
  std::uint16_t FPort = 0;
  int FListenSocket = -1;
  int FStopPipe[2] = {-1, -1};
  std::thread FAcceptor;
  std::mutex FSessionLock;
  std::list<TSessionSlot> FSessions;
  std::atomic<int> FActiveSessions{0};
  std::atomic<int> FConnectionCount{0};
  std::atomic<int> FSlowAnswers{0};
};
