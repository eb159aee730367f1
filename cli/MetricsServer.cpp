#include "MetricsServer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "HttpRequestHead.h"

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char *PagePath = "/metrics";
// A scraper sends its request at once; a client that takes longer than this
// for its head, or for taking the answer, is dropped.
constexpr auto ConnectionTime = 3s;
constexpr std::size_t MostConnections = 64;
constexpr int MostAcceptsPerRound = 32;
// What is read and thrown away after the answer, so that closing does not
// reset the connection and take the answer with it.
constexpr std::size_t MostDrained = 1 << 20;

// A quarter of the descriptors at most: the rest stay for the captures (the
// router's socket, the database and its journal) and whatever else runs.
std::size_t ConnectionCap() {
  rlimit Limit{};
  if (getrlimit(RLIMIT_NOFILE, &Limit) != 0 || Limit.rlim_cur == RLIM_INFINITY)
    return MostConnections;
  return std::clamp<std::size_t>(static_cast<std::size_t>(Limit.rlim_cur / 4), 1, MostConnections);
}

std::string ErrnoText(int AErrno) { return std::strerror(AErrno); }

// No SO_REUSEPORT: a second watch on the same port must fail, not share the
// scrapes and show Prometheus counters that reset.
int ListenOn(const addrinfo &AInfo) {
  const int Socket = socket(AInfo.ai_family, AInfo.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, AInfo.ai_protocol);
  if (Socket < 0)
    return -1;
  const int Yes = 1;
  setsockopt(Socket, SOL_SOCKET, SO_REUSEADDR, &Yes, sizeof Yes);
  if (AInfo.ai_family == AF_INET6)
    setsockopt(Socket, IPPROTO_IPV6, IPV6_V6ONLY, &Yes, sizeof Yes);
  if (bind(Socket, AInfo.ai_addr, AInfo.ai_addrlen) != 0 || listen(Socket, SOMAXCONN) != 0) {
    const int Error = errno;
    close(Socket);
    errno = Error;
    return -1;
  }
  return Socket;
}

int Listen(const TListenAddress &AAddress) {
  addrinfo Hints{};
  Hints.ai_family = AAddress.IPv6 ? AF_INET6 : AF_UNSPEC;
  Hints.ai_socktype = SOCK_STREAM;
  Hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo *Found = nullptr;
  const std::string Port = std::to_string(AAddress.Port);
  if (const int Error = getaddrinfo(AAddress.Host.c_str(), Port.c_str(), &Hints, &Found); Error != 0)
    throw EListenError(gai_strerror(Error), false);
  const int Socket = ListenOn(*Found);
  const int Error = errno;
  freeaddrinfo(Found);
  if (Socket < 0)
    throw EListenError(Error == EADDRINUSE ? "address in use" : ErrnoText(Error), Error == EADDRINUSE);
  return Socket;
}

std::uint16_t BoundPort(int ASocket) {
  sockaddr_storage Address{};
  socklen_t Size = sizeof Address;
  getsockname(ASocket, reinterpret_cast<sockaddr *>(&Address), &Size);
  const auto Network = Address.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6 &>(Address).sin6_port
                                                     : reinterpret_cast<sockaddr_in &>(Address).sin_port;
  return ntohs(Network);
}

struct TConnection {
  int Socket = -1;
  TClock::time_point Deadline;
  std::string Head;
  std::string Answer; // once the verdict is in; only writing is left
  std::size_t Sent = 0;
  std::size_t Drained = 0; // once all of the answer is sent
  bool Closed = false;     // the client has gone, or failed

  bool Answered() const { return !Answer.empty(); }
  bool Sending() const { return Answered() && Sent < Answer.size(); }
};

// The connections of the server's thread, each bounded in time and size.
class TConnections {
public:
  TConnections(TMetricsServer::TPageSource &APage) : FPage(APage), FCap(ConnectionCap()) {}
  ~TConnections() {
    for (TConnection &Connection : FList)
      close(Connection.Socket);
  }
  // False when the descriptors ran out.
  bool Accept(int AListener);
  // The poll entries from index AFirst on are the connections, in order.
  void AddPollEntries(std::vector<pollfd> &AEntries) const;
  void Handle(const std::vector<pollfd> &AEntries, std::size_t AFirst);
  int MillisecondsToNextDeadline() const;

private:
  void Add(int ASocket);
  void Read(TConnection &AConnection);
  void Write(TConnection &AConnection);
  void Drain(TConnection &AConnection);
  bool Done(const TConnection &AConnection) const;
  void DropOldestIdle();

  TMetricsServer::TPageSource &FPage;
  std::size_t FCap;
  std::vector<TConnection> FList; // in order of arrival
};

bool TConnections::Accept(int AListener) {
  for (int Round = 0; Round < MostAcceptsPerRound; ++Round) {
    const int Socket = accept4(AListener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (Socket < 0)
      return errno != EMFILE && errno != ENFILE;
    Add(Socket);
  }
  return true;
}

// A new client is more likely a scraper than one that has sat there: the
// oldest that is not receiving its answer makes room.
void TConnections::Add(int ASocket) {
  if (FList.size() >= FCap)
    DropOldestIdle();
  if (FList.size() >= FCap) {
    close(ASocket);
    return;
  }
  TConnection &Connection = FList.emplace_back();
  Connection.Socket = ASocket;
  Connection.Deadline = TClock::now() + ConnectionTime;
  // Its request is usually there already: answering now keeps it from being
  // the oldest when the next one arrives.
  Read(Connection);
  if (Done(Connection)) {
    close(FList.back().Socket);
    FList.pop_back();
  }
}

void TConnections::DropOldestIdle() {
  const auto Oldest =
      std::find_if(FList.begin(), FList.end(), [](const TConnection &AOne) { return !AOne.Sending(); });
  if (Oldest == FList.end())
    return;
  close(Oldest->Socket);
  FList.erase(Oldest);
}

void TConnections::Read(TConnection &AConnection) {
  constexpr THttpHeadCaps Caps;
  char Chunk[2048];
  const std::size_t Room = std::min(sizeof Chunk, Caps.MaxBytes + 1 - AConnection.Head.size());
  const ssize_t Got = recv(AConnection.Socket, Chunk, Room, 0);
  if (Got <= 0) {
    AConnection.Closed = Got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    return;
  }
  AConnection.Head.append(Chunk, static_cast<std::size_t>(Got));
  const THttpVerdict Verdict = JudgeRequestHead(AConnection.Head, PagePath, Caps);
  if (Verdict == THttpVerdict::NeedMore)
    return;
  const bool Page = Verdict == THttpVerdict::ServePage || Verdict == THttpVerdict::ServePageHead;
  AConnection.Answer = HttpAnswer(Verdict, Page ? FPage() : std::string());
  Write(AConnection);
}

void TConnections::Write(TConnection &AConnection) {
  const ssize_t Put = send(AConnection.Socket, AConnection.Answer.data() + AConnection.Sent,
                           AConnection.Answer.size() - AConnection.Sent, MSG_NOSIGNAL);
  if (Put < 0) {
    AConnection.Closed = errno != EAGAIN && errno != EWOULDBLOCK;
    return;
  }
  AConnection.Sent += static_cast<std::size_t>(Put);
  if (!AConnection.Sending())
    shutdown(AConnection.Socket, SHUT_WR);
}

// What the client still sends (a body we never wanted) until it closes.
void TConnections::Drain(TConnection &AConnection) {
  char Chunk[4096];
  const ssize_t Got = recv(AConnection.Socket, Chunk, sizeof Chunk, 0);
  if (Got > 0)
    AConnection.Drained += static_cast<std::size_t>(Got);
  else
    AConnection.Closed = Got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
}

bool TConnections::Done(const TConnection &AConnection) const {
  return AConnection.Closed || AConnection.Drained > MostDrained || AConnection.Deadline <= TClock::now();
}

void TConnections::AddPollEntries(std::vector<pollfd> &AEntries) const {
  for (const TConnection &Connection : FList)
    AEntries.push_back({Connection.Socket, static_cast<short>(Connection.Sending() ? POLLOUT : POLLIN), 0});
}

void TConnections::Handle(const std::vector<pollfd> &AEntries, std::size_t AFirst) {
  for (std::size_t Index = 0; Index < FList.size() && AFirst + Index < AEntries.size(); ++Index) {
    TConnection &Connection = FList[Index];
    const short Events = AEntries[AFirst + Index].revents;
    if (Events & (POLLERR | POLLNVAL))
      Connection.Closed = true;
    else if (Connection.Sending() && (Events & POLLOUT))
      Write(Connection);
    else if (!Connection.Answered() && (Events & (POLLIN | POLLHUP)))
      Read(Connection);
    else if (Events & (POLLIN | POLLHUP))
      Drain(Connection);
  }
  const auto Finished = std::remove_if(FList.begin(), FList.end(), [this](const TConnection &AOne) {
    const bool Over = Done(AOne);
    if (Over)
      close(AOne.Socket);
    return Over;
  });
  FList.erase(Finished, FList.end());
}

int TConnections::MillisecondsToNextDeadline() const {
  auto Next = TClock::now() + 1s;
  for (const TConnection &Connection : FList)
    Next = std::min(Next, Connection.Deadline);
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Next - TClock::now()).count();
  return static_cast<int>(std::clamp<long long>(Left + 1, 0, 1000));
}

} // namespace

TMetricsServer::TMetricsServer(const TListenAddress &AAddress, TPageSource APage) : FPage(std::move(APage)) {
  FListener = Listen(AAddress);
  FPort = BoundPort(FListener);
  if (pipe2(FWake, O_CLOEXEC) != 0) {
    const int Error = errno;
    close(FListener);
    throw EListenError(ErrnoText(Error), false);
  }
  FThread = std::thread([this] { Serve(); });
}

TMetricsServer::~TMetricsServer() {
  FStopping = true;
  const char Byte = 0;
  while (write(FWake[1], &Byte, 1) < 0 && errno == EINTR) {
  }
  FThread.join();
  close(FWake[0]);
  close(FWake[1]);
  close(FListener);
}

// Past the descriptor limit accept fails at once while the client waits in
// the backlog; the listener then rests for a moment instead of spinning.
void TMetricsServer::Serve() {
  TConnections Connections(FPage);
  auto ListenerRestsUntil = TClock::now();
  std::vector<pollfd> Entries;
  while (!FStopping) {
    const bool Listening = TClock::now() >= ListenerRestsUntil;
    Entries.assign({{FWake[0], POLLIN, 0}, {Listening ? FListener : -1, POLLIN, 0}});
    Connections.AddPollEntries(Entries);
    if (poll(Entries.data(), Entries.size(), Listening ? Connections.MillisecondsToNextDeadline() : 50) < 0 &&
        errno != EINTR)
      return;
    if (Entries[0].revents != 0)
      return;
    Connections.Handle(Entries, 2);
    if ((Entries[1].revents & POLLIN) && !Connections.Accept(FListener))
      ListenerRestsUntil = TClock::now() + 50ms;
  }
}
