#include "RouterSim.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "Exceptions.h"
#include "RouterSession.h"

namespace {
int BindOnLoopback(std::uint16_t APort, std::uint16_t &AChosen) {
  const int Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (Socket < 0)
    throw ETonegraphError(std::strerror(errno));
  const int On = 1;
  setsockopt(Socket, SOL_SOCKET, SO_REUSEADDR, &On, sizeof On);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_port = htons(APort);
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Address;
  if (bind(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof Address) != 0 ||
      getsockname(Socket, reinterpret_cast<sockaddr *>(&Address), &Size) != 0) {
    const int Error = errno;
    close(Socket);
    throw ETonegraphError(std::strerror(Error));
  }
  AChosen = ntohs(Address.sin_port);
  return Socket;
}
} // namespace

TRouterSim::TRouterSim(TRouterSimOptions AOptions)
    : FOptions(std::move(AOptions)),
      FAnswers(std::make_unique<TRouterAnswers>(FOptions)) {}

TRouterSim::~TRouterSim() { Stop(); }

std::uint16_t TRouterSim::Bind() {
  if (FListenSocket < 0)
    FListenSocket = BindOnLoopback(FOptions.Port, FPort);
  return FPort;
}

std::uint16_t TRouterSim::Start() {
  if (FAcceptor.joinable())
    return FPort;
  Bind();
  if (listen(FListenSocket, 8) != 0 || pipe2(FStopPipe, O_CLOEXEC) != 0) {
    const int Error = errno;
    close(FListenSocket);
    FListenSocket = -1;
    throw ETonegraphError(std::strerror(Error));
  }
  FAcceptor = std::thread(&TRouterSim::AcceptLoop, this);
  return FPort;
}

void TRouterSim::Stop() {
  if (!FAcceptor.joinable()) {
    if (FListenSocket >= 0)
      close(FListenSocket); // bound, never started
    FListenSocket = -1;
    return;
  }
  // The pipe is never read: once written, every poll on it returns at once.
  const char Byte = 0;
  while (write(FStopPipe[1], &Byte, 1) < 0 && errno == EINTR) {
  }
  FAcceptor.join();
  ReapSessions(true);
  close(FListenSocket);
  close(FStopPipe[0]);
  close(FStopPipe[1]);
  FListenSocket = FStopPipe[0] = FStopPipe[1] = -1;
}

void TRouterSim::AcceptLoop() {
  for (;;) {
    pollfd Fds[2] = {{FListenSocket, POLLIN, 0}, {FStopPipe[0], POLLIN, 0}};
    if (poll(Fds, 2, -1) < 0 && errno != EINTR)
      return;
    if (Fds[1].revents != 0)
      return;
    if ((Fds[0].revents & POLLIN) == 0)
      continue;
    const int Socket = accept4(FListenSocket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (Socket >= 0)
      StartSession(Socket);
    ReapSessions(false);
  }
}

void TRouterSim::StartSession(int ASocket) {
  const int On = 1;
  setsockopt(ASocket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
  FConnectionCount.fetch_add(1);
  const bool Rejected = FOptions.SingleConnection && FActiveSessions.load() > 0;
  if (!Rejected)
    FActiveSessions.fetch_add(1);
  std::lock_guard<std::mutex> Guard(FSessionLock);
  TSessionSlot &Slot = FSessions.emplace_back();
  const int Connection = FConnectionCount.load();
  Slot.Thread = std::thread([this, ASocket, Rejected, Connection, &Slot] {
    {
      std::unique_ptr<TRouterAnswers> Drifted;
      if (FOptions.Drift) {
        TRouterSimOptions Options = FOptions;
        Options.Line = DriftedLine(FOptions.Line, Connection);
        Drifted = std::make_unique<TRouterAnswers>(Options);
      }
      TRouterSession Session(ASocket, FStopPipe[0], FOptions, Drifted ? *Drifted : *FAnswers, Rejected,
                             &FSlowAnswers);
      Session.Run();
    }
    if (!Rejected)
      FActiveSessions.fetch_sub(1);
    Slot.Done.store(true);
  });
}

void TRouterSim::ReapSessions(bool AAll) {
  std::lock_guard<std::mutex> Guard(FSessionLock);
  for (auto It = FSessions.begin(); It != FSessions.end();) {
    if (AAll || It->Done.load()) {
      It->Thread.join();
      It = FSessions.erase(It);
    } else {
      ++It;
    }
  }
}
