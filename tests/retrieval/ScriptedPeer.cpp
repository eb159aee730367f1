#include "ScriptedPeer.h"

#include <chrono>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
using TClock = std::chrono::steady_clock;
constexpr int AcceptTimeoutMs = 10000;

int Remaining(TClock::time_point ADeadline) {
  const auto Left =
      std::chrono::duration_cast<std::chrono::milliseconds>(ADeadline - TClock::now()).count();
  return Left > 0 ? static_cast<int>(Left) : 0;
}
} // namespace

TScriptedPeer::TScriptedPeer(TScript AScript) : FScript(std::move(AScript)) {
  FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Address;
  if (FListen < 0 || bind(FListen, reinterpret_cast<sockaddr *>(&Address), sizeof Address) != 0 ||
      listen(FListen, 1) != 0 ||
      getsockname(FListen, reinterpret_cast<sockaddr *>(&Address), &Size) != 0)
    throw std::runtime_error("scripted peer cannot listen");
  FPort = ntohs(Address.sin_port);
  FThread = std::thread(&TScriptedPeer::Serve, this);
}

TScriptedPeer::~TScriptedPeer() {
  FStopping.store(true);
  const int Socket = FSocket.load();
  if (Socket >= 0)
    shutdown(Socket, SHUT_RDWR);
  FThread.join();
  if (FSocket.load() >= 0)
    close(FSocket.load());
  close(FListen);
}

void TScriptedPeer::Serve() {
  pollfd Wait{FListen, POLLIN, 0};
  const auto Deadline = TClock::now() + std::chrono::milliseconds(AcceptTimeoutMs);
  while (!FStopping.load() && Remaining(Deadline) > 0) {
    if (poll(&Wait, 1, 50) <= 0)
      continue;
    const int Socket = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
    if (Socket < 0)
      break;
    const int On = 1;
    setsockopt(Socket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
    FSocket.store(Socket);
    FScript(*this);
    break;
  }
  FDone.store(true);
}

std::string TScriptedPeer::Received() {
  std::lock_guard<std::mutex> Guard(FLock);
  return FReceived;
}

bool TScriptedPeer::WaitDone(int ATimeoutMs) {
  const auto Deadline = TClock::now() + std::chrono::milliseconds(ATimeoutMs);
  while (!FDone.load() && Remaining(Deadline) > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return FDone.load();
}

void TScriptedPeer::Send(std::string_view ABytes) {
  const int Socket = FSocket.load();
  while (!ABytes.empty() && Socket >= 0) {
    const ssize_t Sent = send(Socket, ABytes.data(), ABytes.size(), MSG_NOSIGNAL);
    if (Sent <= 0)
      return;
    ABytes.remove_prefix(static_cast<std::size_t>(Sent));
  }
}

bool TScriptedPeer::ReadUntil(std::string_view AMarker, int ATimeoutMs) {
  const auto Deadline = TClock::now() + std::chrono::milliseconds(ATimeoutMs);
  for (;;) {
    {
      std::lock_guard<std::mutex> Guard(FLock);
      const std::size_t Found = FReceived.find(AMarker, FConsumed);
      if (Found != std::string::npos) {
        FConsumed = Found + AMarker.size();
        return true;
      }
    }
    if (FStopping.load() || Remaining(Deadline) == 0 || !ReadSome(Remaining(Deadline)))
      return false;
  }
}

bool TScriptedPeer::ReadSome(int ATimeoutMs) {
  pollfd Wait{FSocket.load(), POLLIN, 0};
  if (poll(&Wait, 1, std::min(ATimeoutMs, 50)) <= 0)
    return true; // nothing yet; the caller checks its deadline
  char Buffer[4096];
  const ssize_t Count = recv(Wait.fd, Buffer, sizeof Buffer, 0);
  if (Count <= 0)
    return false;
  std::lock_guard<std::mutex> Guard(FLock);
  FReceived.append(Buffer, static_cast<std::size_t>(Count));
  return true;
}

bool TScriptedPeer::ReadLine(std::string &ALine, int ATimeoutMs) {
  std::size_t Start;
  {
    std::lock_guard<std::mutex> Guard(FLock);
    Start = FConsumed;
  }
  if (!ReadUntil("\r\n", ATimeoutMs))
    return false;
  std::lock_guard<std::mutex> Guard(FLock);
  ALine = FReceived.substr(Start, FConsumed - 2 - Start);
  return true;
}

void TScriptedPeer::Pause(int AMilliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(AMilliseconds));
}

bool TScriptedPeer::HoldWithoutReading(int ATimeoutMs) {
  const auto Deadline = TClock::now() + std::chrono::milliseconds(ATimeoutMs);
  pollfd Wait{FSocket.load(), POLLRDHUP, 0};
  while (!FStopping.load() && Remaining(Deadline) > 0)
    if (poll(&Wait, 1, 50) > 0 && (Wait.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0)
      return true;
  return false;
}

void TScriptedPeer::Close() {
  const int Socket = FSocket.exchange(-1);
  if (Socket >= 0)
    close(Socket);
}
