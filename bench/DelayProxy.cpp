#include "DelayProxy.h"

#include <array>
#include <deque>
#include <stdexcept>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

struct TChunk {
  TClock::time_point Due;
  std::string Bytes;
};

// One direction of a connection: what has arrived and when it may leave.
struct TDirectionQueue {
  int From = -1;
  int To = -1;
  std::deque<TChunk> Chunks;
  bool Closed = false;
};

sockaddr_in Loopback(std::uint16_t APort) {
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_port = htons(APort);
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return Address;
}

void NoDelay(int ASocket) {
  const int On = 1;
  setsockopt(ASocket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
}

// Sends every chunk that is due; gives the milliseconds until the next one,
// -1 when none waits.
int SendDue(TDirectionQueue &AQueue) {
  const auto Now = TClock::now();
  while (!AQueue.Chunks.empty() && AQueue.Chunks.front().Due <= Now) {
    const std::string &Bytes = AQueue.Chunks.front().Bytes;
    if (send(AQueue.To, Bytes.data(), Bytes.size(), MSG_NOSIGNAL) < 0)
      AQueue.Closed = true;
    AQueue.Chunks.pop_front();
  }
  if (AQueue.Chunks.empty())
    return -1;
  const auto Wait = std::chrono::duration_cast<std::chrono::microseconds>(AQueue.Chunks.front().Due - Now);
  return static_cast<int>((Wait.count() + 999) / 1000);
}

} // namespace

TDelayProxy::TDelayProxy(std::uint16_t ATargetPort, std::chrono::microseconds AOneWayDelay)
    : FTargetPort(ATargetPort), FDelay(AOneWayDelay) {
  FListenSocket = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in Address = Loopback(0);
  if (bind(FListenSocket, reinterpret_cast<sockaddr *>(&Address), sizeof Address) != 0 || listen(FListenSocket, 4) != 0)
    throw std::runtime_error("delay proxy cannot listen");
  socklen_t Length = sizeof Address;
  getsockname(FListenSocket, reinterpret_cast<sockaddr *>(&Address), &Length);
  FPort = ntohs(Address.sin_port);
  FThread = std::thread([this] { AcceptLoop(); });
}

TDelayProxy::~TDelayProxy() {
  FStopping = true;
  shutdown(FListenSocket, SHUT_RDWR);
  FThread.join();
  close(FListenSocket);
}

void TDelayProxy::AcceptLoop() {
  while (!FStopping) {
    const int Client = accept(FListenSocket, nullptr, nullptr);
    if (Client < 0)
      return;
    const int Server = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in Target = Loopback(FTargetPort);
    if (connect(Server, reinterpret_cast<const sockaddr *>(&Target), sizeof Target) == 0) {
      NoDelay(Client);
      NoDelay(Server);
      Relay(Client, Server);
    }
    close(Server);
    close(Client);
  }
}

// Until either side closes and everything it sent has been passed on.
void TDelayProxy::Relay(int AClient, int AServer) {
  std::array<TDirectionQueue, 2> Queues{TDirectionQueue{AClient, AServer, {}, false},
                                        TDirectionQueue{AServer, AClient, {}, false}};
  char Buffer[65536];
  for (;;) {
    int Timeout = -1;
    for (TDirectionQueue &Queue : Queues) {
      const int Wait = SendDue(Queue);
      if (Wait >= 0 && (Timeout < 0 || Wait < Timeout))
        Timeout = Wait;
    }
    const bool Done = (Queues[0].Closed && Queues[0].Chunks.empty()) || (Queues[1].Closed && Queues[1].Chunks.empty());
    if (Done || FStopping)
      return;
    pollfd Wait[2] = {{AClient, static_cast<short>(Queues[0].Closed ? 0 : POLLIN), 0},
                      {AServer, static_cast<short>(Queues[1].Closed ? 0 : POLLIN), 0}};
    if (poll(Wait, 2, Timeout) < 0)
      return;
    for (int Side = 0; Side < 2; ++Side) {
      if (!(Wait[Side].revents & (POLLIN | POLLHUP | POLLERR)))
        continue;
      const ssize_t Count = recv(Queues[Side].From, Buffer, sizeof Buffer, 0);
      if (Count <= 0)
        Queues[Side].Closed = true;
      else
        Queues[Side].Chunks.push_back({TClock::now() + FDelay, std::string(Buffer, static_cast<std::size_t>(Count))});
    }
  }
}
