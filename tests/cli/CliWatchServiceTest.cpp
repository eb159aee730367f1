// tonegraph-cli watch as a service: its metrics port to itself, its metrics
// page served to scrapers whatever other clients send or withhold, and a stop
// by signal obeyed at once. Real processes, real sockets on loopback.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include <httplib.h>

#include "CliProcess.h"
#include "CliRun.h"
#include "HistoryStore.h"
#include "RouterSim.h"
#include "TestFiles.h"

namespace {

using namespace std::chrono_literals;

// A TCP connection to 127.0.0.1:APort, its reads bounded by ADeadline; -1
// when it cannot be made.
int ConnectTo(std::uint16_t APort, std::chrono::seconds ADeadline = 5s) {
  const int Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  timeval Wait{static_cast<time_t>(ADeadline.count()), 0};
  setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Wait, sizeof Wait);
  setsockopt(Socket, SOL_SOCKET, SO_SNDTIMEO, &Wait, sizeof Wait);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_port = htons(APort);
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof Address) != 0) {
    close(Socket);
    return -1;
  }
  return Socket;
}

// ARequest sent as it is, and what comes back until the server closes; what
// came by then when the server neither answers nor closes within 2 s.
std::string Exchange(std::uint16_t APort, const std::string &ARequest) {
  const int Socket = ConnectTo(APort, 2s);
  send(Socket, ARequest.data(), ARequest.size(), MSG_NOSIGNAL);
  std::string Answer;
  char Chunk[4096];
  ssize_t Got;
  while ((Got = recv(Socket, Chunk, sizeof Chunk, 0)) > 0)
    Answer.append(Chunk, static_cast<std::size_t>(Got));
  if (Got < 0)
    Answer += "<no end>";
  close(Socket);
  return Answer;
}

// A watch of a simulated router with its metrics on a port of its choice.
struct TWatchWithMetrics {
  explicit TWatchWithMetrics(const std::string &AMore = "--every 100ms", const std::string &APrefix = "")
      : Router(TRouterSimOptions{}),
        Watch(WatchArgs(Router.Start(), Folder.Path("line.tgdb"), "--metrics 127.0.0.1:0 " + AMore),
              PasswordFile(), Folder.Path("err"), APrefix) {}
  std::string PasswordFile() {
    WriteBytes(Folder.Path("password"), "admin\n");
    return Folder.Path("password");
  }
  std::uint16_t MetricsPort() const {
    const std::string Port = Watch.WaitFor("metrics at http://127\\.0\\.0\\.1:([0-9]+)/metrics", 20s);
    return Port.empty() ? 0 : static_cast<std::uint16_t>(std::stoi(Port));
  }
  std::string Err() const { return ReadBytes(Folder.Path("err")); }

  TTempFolder Folder;
  TRouterSim Router;
  TBackgroundCli Watch;
};

} // namespace

// Two watches on one port would split the scrapes between them, and
// Prometheus would see counters go back.
TEST(CliWatchMetrics, RefusesAnAddressInUseAndMakesNoDatabase) {
  TWatchWithMetrics First;
  const std::uint16_t Port = First.MetricsPort();
  ASSERT_NE(Port, 0) << First.Err();
  TTempFolder Folder;
  const TCliRun Second = RunCli(WatchArgs(First.Router.Port(), Folder.Path("second.tgdb"),
                                          "--every 1s --count 1 --metrics 127.0.0.1:" + std::to_string(Port)),
                                First.PasswordFile());
  EXPECT_EQ(Second.Status, 2) << Second.Err;
  EXPECT_NE(Second.Err.find("--metrics: 127.0.0.1:" + std::to_string(Port) + ": address in use"), std::string::npos)
      << Second.Err;
  EXPECT_FALSE(std::filesystem::exists(Folder.Path("second.tgdb")));
}

// Each address form as it is listened on and shown, or refused with why.
TEST(CliWatchMetrics, ListensWhereTheAddressSaysAndShowsItAsABrowserTakesIt) {
  struct TCase {
    const char *Address;
    int Status;
    const char *Said;
  };
  const TCase Cases[] = {
      {"[::1]:0", 0, "metrics at http://[::1]:"},
      {"0.0.0.0:0", 0, "/metrics (every interface)\n"},
      {"0", 0, "metrics at http://127.0.0.1:"},
      {":::9113", 2, "--metrics: an IPv6 address goes in brackets: [::1]:9469"},
      {"127.0.0.1:65536", 2, "--metrics: '127.0.0.1:65536' is not ADDR:PORT"},
      {"192.0.2.1:0", 1, "--metrics 192.0.2.1:0: cannot listen there: Cannot assign requested address"},
  };
  TRouterSim Router(TRouterSimOptions{});
  const std::uint16_t RouterPort = Router.Start();
  for (const TCase &Case : Cases) {
    TTempFolder Folder;
    WriteBytes(Folder.Path("password"), "admin\n");
    const TCliRun Run = RunCli(WatchArgs(RouterPort, Folder.Path("line.tgdb"),
                                         std::string("--every 1s --count 1 --metrics ") + Case.Address),
                               Folder.Path("password"));
    EXPECT_EQ(Run.Status, Case.Status) << Case.Address << "\n" << Run.Err;
    EXPECT_NE(Run.Err.find(Case.Said), std::string::npos) << Case.Address << "\n" << Run.Err;
  }
}

// GET and HEAD of the page, nothing else, no body ever read, heads capped:
// each answered at once, the server closing the connection after.
TEST(CliWatchMetrics, AnswersOnlyGetAndHeadOfThePageAndCapsRequests) {
  struct TCase {
    const char *What;
    std::string Request;
    const char *StatusLine;
  };
  const TCase Cases[] = {
      {"GET", "GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
      {"HEAD", "HEAD /metrics HTTP/1.0\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
      {"GET with a query", "GET /metrics?x=1 HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
      {"another page", "GET /other HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found\r\n"},
      {"POST without a body", "POST /metrics HTTP/1.1\r\n\r\n", "HTTP/1.1 405 Method Not Allowed\r\n"},
      {"POST of 500 MB", "POST /metrics HTTP/1.1\r\nContent-Length: 500000000\r\n\r\n" + std::string(65536, 'x'),
       "HTTP/1.1 405 Method Not Allowed\r\n"},
      {"a method cut short", "DEL", "HTTP/1.1 405 Method Not Allowed\r\n"},
      {"a header of 9000 bytes", "GET /metrics HTTP/1.1\r\nX-Pad: " + std::string(9000, 'a') + "\r\n\r\n",
       "HTTP/1.1 413 Payload Too Large\r\n"},
      {"100 headers", [] {
         std::string Request = "GET /metrics HTTP/1.1\r\n";
         for (int Line = 0; Line < 100; ++Line)
           Request += "X-" + std::to_string(Line) + ": y\r\n";
         return Request + "\r\n";
       }(),
       "HTTP/1.1 413 Payload Too Large\r\n"},
      {"no HTTP", "GET /metrics\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
  };
  TWatchWithMetrics Watch;
  const std::uint16_t Port = Watch.MetricsPort();
  ASSERT_NE(Port, 0) << Watch.Err();
  for (const TCase &Case : Cases) {
    const std::string Answer = Exchange(Port, Case.Request);
    EXPECT_TRUE(Answer.starts_with(Case.StatusLine)) << Case.What << ":\n" << Answer.substr(0, 200);
    EXPECT_EQ(Answer.find("<no end>"), std::string::npos) << Case.What;
  }
  const std::string Head = Exchange(Port, "HEAD /metrics HTTP/1.1\r\n\r\n");
  EXPECT_TRUE(Head.ends_with("\r\n\r\n")) << Head;
  EXPECT_NE(Exchange(Port, "GET /metrics HTTP/1.1\r\n\r\n").find("tonegraph_captures_total"), std::string::npos);
}

// Under a small descriptor limit, 500 idle connections and 20 that trickle a
// header byte at a time: every capture still succeeds and every scrape in
// between is answered.
TEST(CliWatchMetrics, KeepsCapturingAndServingScrapesWhileSlowClientsHoldConnections) {
  rlimit Limit{};
  getrlimit(RLIMIT_NOFILE, &Limit);
  Limit.rlim_cur = std::max<rlim_t>(Limit.rlim_cur, std::min<rlim_t>(Limit.rlim_max, 2048));
  setrlimit(RLIMIT_NOFILE, &Limit);
  TWatchWithMetrics Watch("--every 100ms", "ulimit -n 256; ");
  const std::uint16_t Port = Watch.MetricsPort();
  ASSERT_NE(Port, 0) << Watch.Err();
  std::vector<int> Idle;
  for (int Count = 0; Count < 500; ++Count)
    Idle.push_back(ConnectTo(Port));
  std::atomic<bool> Done{false};
  std::vector<std::thread> Tricklers;
  for (int Count = 0; Count < 20; ++Count)
    Tricklers.emplace_back([&Done, Port] {
      const int Socket = ConnectTo(Port);
      const std::string Head = "GET /metrics HTTP/1.1\r\nX-Slow: ";
      send(Socket, Head.data(), Head.size(), MSG_NOSIGNAL);
      // The trickle is the misbehaviour itself, not a wait for an event.
      while (!Done && send(Socket, "a", 1, MSG_NOSIGNAL) == 1)
        std::this_thread::sleep_for(100ms);
      close(Socket);
    });
  for (int Round = 3; Round < 8; ++Round) {
    ASSERT_NE(Watch.Watch.WaitFor("capture " + std::to_string(Round) + ": ", 30s), "") << Watch.Err();
    httplib::Client Client("127.0.0.1", Port);
    Client.set_connection_timeout(3s);
    Client.set_read_timeout(3s);
    const httplib::Result Page = Client.Get("/metrics");
    ASSERT_TRUE(Page) << "round " << Round << ": " << httplib::to_string(Page.error());
    EXPECT_EQ(Page->status, 200);
  }
  Done = true;
  for (std::thread &Trickler : Tricklers)
    Trickler.join();
  for (int Socket : Idle)
    close(Socket);
  const std::string Err = Watch.Err();
  EXPECT_EQ(Err.find("failed"), std::string::npos) << Err;
  EXPECT_EQ(Err.find("partial"), std::string::npos) << Err;
}

// A router slow to answer one command: SIGTERM stops the retrieval at once,
// what was read is stored as a partial capture, and the watch ends.
TEST(CliWatch, StopsASlowRetrievalAtOnceOnTerminateKeepingWhatItRead) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  TRouterSimOptions Options;
  Options.SlowCommand = "vdsl status snr";
  Options.AnswerDelayMs = 60000;
  TRouterSim Router(Options);
  TBackgroundCli Watch(WatchArgs(Router.Start(), Folder.Path("line.tgdb"), "--every 1s"), Folder.Path("password"),
                       Folder.Path("err"));
  ASSERT_TRUE(WaitUntil([&Router] { return Router.SlowAnswerCount() > 0; }, 30s));
  ASSERT_EQ(Router.SlowAnswerCount(), 1);
  Watch.Signal(SIGTERM);
  // The reader's own wait for this answer is 10 s: an end within 5 s is the
  // stop, not the timeout.
  ASSERT_EQ(Watch.Wait(5s), 0) << ReadBytes(Folder.Path("err"));
  const std::string Err = ReadBytes(Folder.Path("err"));
  EXPECT_NE(Err.find("capture 1: partial 17A"), std::string::npos) << Err;
  const THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::ReadOnly);
  const std::vector<TCapture> Captures = Store.Captures();
  ASSERT_EQ(Captures.size(), 1u);
  EXPECT_TRUE(Captures[0].Ok);
  EXPECT_NE(Captures[0].Partial.find("vdsl status snr"), std::string::npos) << Captures[0].Partial;
  EXPECT_EQ(Captures[0].Profile, "17A");
}

// The database deleted under a running watch: the watch says so and stops,
// rather than report captures stored where nobody will ever read them.
TEST(CliWatch, StopsWhenItsDatabaseIsDeleted) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  TRouterSim Router(TRouterSimOptions{});
  const std::string Database = Folder.Path("line.tgdb");
  TBackgroundCli Watch(WatchArgs(Router.Start(), Database, "--every 100ms --bins-every 1000"),
                       Folder.Path("password"), Folder.Path("err"));
  ASSERT_NE(Watch.WaitFor("capture 1: ok", 30s), "") << ReadBytes(Folder.Path("err"));
  std::filesystem::remove(Database);
  EXPECT_EQ(Watch.Wait(30s), 1);
  const std::string Err = ReadBytes(Folder.Path("err"));
  EXPECT_NE(Err.find("tonegraph-cli: " + Database +
                     ": the database was deleted or replaced while the watch ran; its last capture is lost\n"),
            std::string::npos)
      << Err;
  EXPECT_FALSE(std::filesystem::exists(Database));
}

namespace {

// Whether a connection to APort on loopback is waiting for its SYN to be
// answered, as the kernel lists it.
bool ConnectPendingTo(std::uint16_t APort) {
  char Port[8];
  std::snprintf(Port, sizeof Port, ":%04X", APort);
  const std::string Table = ReadBytes("/proc/net/tcp");
  for (std::size_t At = Table.find(Port); At != std::string::npos; At = Table.find(Port, At + 1))
    if (Table.compare(At + 5, 4, " 02 ") == 0)
      return true;
  return false;
}

} // namespace

// A stop that cannot be quick (a connect the router never answers, whose
// own timeout is 10 s): a second SIGINT ends the watch at once.
TEST(CliWatch, ASecondInterruptEndsItAtOnce) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("password"), "admin\n");
  // A listener that never accepts, its queue filled by one connection: the
  // kernel then leaves the watch's connection unanswered.
  const int Listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Address;
  ASSERT_EQ(bind(Listener, reinterpret_cast<sockaddr *>(&Address), Size), 0);
  ASSERT_EQ(listen(Listener, 0), 0);
  getsockname(Listener, reinterpret_cast<sockaddr *>(&Address), &Size);
  const std::uint16_t Port = ntohs(Address.sin_port);
  const int Filler = ConnectTo(Port);
  ASSERT_GE(Filler, 0);
  TBackgroundCli Watch(WatchArgs(Port, Folder.Path("line.tgdb"), "--every 1s"), Folder.Path("password"),
                       Folder.Path("err"));
  ASSERT_TRUE(WaitUntil([Port] { return ConnectPendingTo(Port); }, 20s));
  Watch.Signal(SIGINT);
  ASSERT_NE(Watch.WaitFor("stopping: ", 5s), "");
  Watch.Signal(SIGINT);
  EXPECT_EQ(Watch.Wait(3s), 130);
  close(Filler);
  close(Listener);
}
