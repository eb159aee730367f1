#include "TelnetClient.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
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

} // namespace

TTelnetClient::TTelnetClient()
    : FParser([this](const std::string &AData) { Deliver(AData); },
              [this](const std::string &AReply) { WriteBytes(AReply.data(), AReply.size()); }) {
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
    close(Socket);
}

void TTelnetClient::ReleaseReceiver() {
  if (FReceiver.joinable())
    FReceiver.join();
  FReceiverId.store(std::thread::id());
}

void TTelnetClient::ReceiveLoop() {
  FReceiverId.store(std::this_thread::get_id());
  const int Socket = FSocket.load();
  char Buffer[16384];
  try {
    while (!FStopping.load()) {
      const ssize_t Count = recv(Socket, Buffer, sizeof Buffer, 0);
      if (Count < 0 && errno == EINTR)
        continue;
      if (Count <= 0 || FStopping.load())
        break;
      FParser.Feed(std::string_view(Buffer, static_cast<std::size_t>(Count)));
    }
  } catch (...) {
    // A failing handler ends the receiving thread without a word, as a
    // closed connection does; the reader notices by its wait timing out.
  }
  FOpen.store(false);
}

void TTelnetClient::Deliver(const std::string &AData) {
  if (OnDataAvailable && !FStopping.load())
    OnDataAvailable(*this, AData);
}

void TTelnetClient::SendString(std::string_view AText) {
  for (char C : Utf8ToAscii(AText)) {
    if (C == '\r' && !FParser.PeerSpeaksTelnet())
      WriteBytes("\r\n", 2);
    else
      WriteBytes(&C, 1);
  }
}

void TTelnetClient::WriteBytes(const char *ABytes, std::size_t ACount) {
  std::lock_guard<std::mutex> Guard(FWriteLock);
  const int Socket = FSocket.load();
  if (Socket < 0)
    return;
  std::size_t Done = 0;
  while (Done < ACount) {
    const ssize_t Sent = send(Socket, ABytes + Done, ACount - Done, MSG_NOSIGNAL);
    if (Sent < 0 && errno == EINTR)
      continue;
    if (Sent <= 0)
      return;
    Done += static_cast<std::size_t>(Sent);
  }
}
