#include "TelnetClient.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CodePage.h"
#include "RetrievalExceptions.h"

namespace {

std::string ErrorText(int AError) { return std::strerror(AError); }

std::vector<sockaddr_in> ResolveIPv4(const std::string &AHost, std::uint16_t APort) {
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_port = htons(APort);
  if (inet_pton(AF_INET, AHost.c_str(), &Address.sin_addr) == 1)
    return {Address};
  addrinfo Hints{};
  Hints.ai_family = AF_INET;
  Hints.ai_socktype = SOCK_STREAM;
  addrinfo *Found = nullptr;
  const int Status = getaddrinfo(AHost.c_str(), nullptr, &Hints, &Found);
  if (Status != 0)
    throw ETelnetError(Status == EAI_SYSTEM ? ErrorText(errno) : gai_strerror(Status));
  std::vector<sockaddr_in> Addresses;
  for (addrinfo *Entry = Found; Entry; Entry = Entry->ai_next) {
    sockaddr_in One;
    std::memcpy(&One, Entry->ai_addr, sizeof One);
    One.sin_port = htons(APort);
    Addresses.push_back(One);
  }
  freeaddrinfo(Found);
  return Addresses;
}

// A blocking connect that the peer never answers would take the system's
// two minutes; waiting ourselves lets us give up sooner. Returns 0 or errno.
int ConnectWithin(int ASocket, const sockaddr_in &AAddress, std::uint32_t ATimeoutMs) {
  const int Flags = fcntl(ASocket, F_GETFL);
  fcntl(ASocket, F_SETFL, Flags | O_NONBLOCK);
  int Error = 0;
  if (connect(ASocket, reinterpret_cast<const sockaddr *>(&AAddress), sizeof AAddress) != 0) {
    Error = errno;
    if (Error == EINPROGRESS) {
      pollfd Wait{ASocket, POLLOUT, 0};
      int Ready;
      do
        Ready = poll(&Wait, 1, static_cast<int>(ATimeoutMs));
      while (Ready < 0 && errno == EINTR);
      socklen_t Size = sizeof Error;
      if (Ready == 0)
        Error = ETIMEDOUT;
      else if (Ready < 0 || getsockopt(ASocket, SOL_SOCKET, SO_ERROR, &Error, &Size) != 0)
        Error = errno;
    }
  }
  fcntl(ASocket, F_SETFL, Flags);
  return Error;
}

// Closes the socket. Bytes the peer never took (it stopped reading and its
// window is shut) would hold our FIN behind them for minutes, so a peer that
// reads nothing would never learn that we hung up: such a connection is reset.
void CloseSocket(int ASocket) {
  int Unsent = 0;
  if (ioctl(ASocket, SIOCOUTQNSD, &Unsent) == 0 && Unsent > 0) {
    const linger Reset{1, 0};
    setsockopt(ASocket, SOL_SOCKET, SO_LINGER, &Reset, sizeof Reset);
  }
  close(ASocket);
}

} // namespace

TTelnetClient::TTelnetClient()
    : FParser([this](const std::string &AData) { Deliver(AData); },
              [this](const std::string &AReply) { QueueReply(AReply); }) {
  FParser.SetTerminal(FTerminal);
}

TTelnetClient::~TTelnetClient() { Disconnect(); }

void TTelnetClient::SetTerminal(std::string ATerminal) {
  FTerminal = std::move(ATerminal);
  FParser.SetTerminal(Utf8ToAscii(FTerminal));
}

void TTelnetClient::Connect() {
  if (FHost.empty())
    throw ETelnetError("A Host is required");
  if (FPort == 0)
    throw ETelnetError("A Port is required");
  Disconnect();
  const int Socket = OpenSocket();
  FParser.Reset();
  {
    std::lock_guard<std::mutex> Guard(FWriteLock);
    FPending.clear();
  }
  FStopping.store(false);
  FSocket.store(Socket);
  FOpen.store(true);
  FReceiver = std::thread(&TTelnetClient::ReceiveLoop, this);
}

int TTelnetClient::OpenSocket() {
  int Error = 0;
  for (const sockaddr_in &Address : ResolveIPv4(FHost, FPort)) {
    const int Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (Socket < 0)
      throw ETelnetError(ErrorText(errno));
    Error = ConnectWithin(Socket, Address, FConnectTimeoutMs);
    if (Error == 0) {
      // Every character goes out on its own; do not let Nagle hold them back.
      const int On = 1;
      setsockopt(Socket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
      // No call on this socket may block: every wait is a poll with a limit.
      fcntl(Socket, F_SETFL, fcntl(Socket, F_GETFL) | O_NONBLOCK);
      return Socket;
    }
    close(Socket);
  }
  throw ETelnetError(ErrorText(Error ? Error : EHOSTUNREACH));
}

void TTelnetClient::Disconnect() {
  FStopping.store(true);
  const int Socket = FSocket.load();
  if (Socket >= 0)
    shutdown(Socket, SHUT_RDWR);
  const bool OnReceiver = FReceiverId.load() == std::this_thread::get_id();
  if (!OnReceiver)
    ReleaseReceiver();
  FOpen.store(false);
  if (!OnReceiver && FSocket.exchange(-1) >= 0)
    CloseSocket(Socket);
}

void TTelnetClient::ReleaseReceiver() {
  if (FReceiver.joinable())
    FReceiver.join();
  FReceiverId.store(std::thread::id());
}

void TTelnetClient::ReceiveLoop() {
  FReceiverId.store(std::this_thread::get_id());
  const int Socket = FSocket.load();
  try {
    while (!FStopping.load()) {
      // Replies left over from a peer that was slow to read go out as soon
      // as it reads again, whether or not anybody sends.
      pollfd Wait{Socket, static_cast<short>(POLLIN | (HasPending() ? POLLOUT : 0)), 0};
      const int Ready = poll(&Wait, 1, 200);
      if (Ready < 0 && errno != EINTR)
        break;
      if (Ready <= 0)
        continue;
      if ((Wait.revents & POLLOUT) != 0) {
        std::lock_guard<std::mutex> Guard(FWriteLock);
        FlushPending(Socket);
      }
      if ((Wait.revents & (POLLIN | POLLHUP | POLLERR)) != 0 && !ReceiveSome(Socket))
        break;
    }
  } catch (...) {
    // A failing handler ends the receiving thread without a word, as a
    // closed connection does; the reader notices by its wait timing out.
  }
  FOpen.store(false);
}

// False once the peer has closed or the connection has failed.
bool TTelnetClient::ReceiveSome(int ASocket) {
  char Buffer[16384];
  const ssize_t Count = recv(ASocket, Buffer, sizeof Buffer, 0);
  if (Count < 0)
    return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
  if (Count == 0 || FStopping.load())
    return false;
  FParser.Feed(std::string_view(Buffer, static_cast<std::size_t>(Count)));
  return true;
}

void TTelnetClient::Deliver(const std::string &AData) {
  if (OnDataAvailable && !FStopping.load())
    OnDataAvailable(*this, AData);
}

// One write per character as ever; all but the last say that more follows
// (MSG_MORE), so the kernel sends the string in as few packets as it can
// instead of one each. The router sees the same bytes in the same order.
void TTelnetClient::SendString(std::string_view AText) {
  const std::string Bytes = Utf8ToAscii(AText);
  for (std::size_t I = 0; I < Bytes.size(); ++I) {
    const bool More = I + 1 < Bytes.size();
    if (Bytes[I] == '\r' && !FParser.PeerSpeaksTelnet())
      WriteBytes("\r\n", 2, More);
    else
      WriteBytes(&Bytes[I], 1, More);
  }
}

// On the receiving thread: never waits. A peer that floods us with requests
// while reading nothing gets no more answers once the backlog is full.
void TTelnetClient::QueueReply(const std::string &AReply) {
  std::lock_guard<std::mutex> Guard(FWriteLock);
  if (FPending.size() + AReply.size() > MaxPendingReplies)
    return;
  FPending += AReply;
  FlushPending(FSocket.load());
}

void TTelnetClient::WriteBytes(const char *ABytes, std::size_t ACount, bool AMore) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FWriteTimeoutMs);
  const int Socket = FSocket.load();
  if (Socket < 0)
    return;
  {
    std::lock_guard<std::mutex> Guard(FWriteLock);
    FPending.append(ABytes, ACount);
    if (!FlushPending(Socket, AMore) || FPending.empty())
      return;
  }
  for (;;) {
    const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
    if (Left.count() <= 0) {
      GiveUpConnection();
      return;
    }
    pollfd Wait{Socket, POLLOUT, 0};
    if (poll(&Wait, 1, static_cast<int>(std::min<long long>(Left.count(), 200))) < 0 && errno != EINTR)
      return;
    std::lock_guard<std::mutex> Guard(FWriteLock);
    if (!FlushPending(Socket, AMore) || FPending.empty())
      return;
  }
}

// Under FWriteLock. Writes what the socket takes now; false when the socket
// is gone or broken (what is pending is then dropped: nobody will read it).
bool TTelnetClient::FlushPending(int ASocket, bool AMore) {
  while (!FPending.empty()) {
    if (ASocket < 0) {
      FPending.clear();
      return false;
    }
    const ssize_t Sent =
        send(ASocket, FPending.data(), FPending.size(), MSG_NOSIGNAL | MSG_DONTWAIT | (AMore ? MSG_MORE : 0));
    if (Sent < 0 && errno == EINTR)
      continue;
    if (Sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
      return true;
    if (Sent <= 0) {
      FPending.clear();
      return false;
    }
    FPending.erase(0, static_cast<std::size_t>(Sent));
  }
  return true;
}

bool TTelnetClient::HasPending() {
  std::lock_guard<std::mutex> Guard(FWriteLock);
  return !FPending.empty();
}

// The peer has not read for a whole write timeout. Shutting the socket down
// ends the receiving thread and makes every later write fail at once, so the
// reader's remaining steps end without waiting out their timeouts.
void TTelnetClient::GiveUpConnection() {
  {
    std::lock_guard<std::mutex> Guard(FWriteLock);
    FPending.clear();
  }
  const int Socket = FSocket.load();
  if (Socket >= 0)
    shutdown(Socket, SHUT_RDWR);
}
