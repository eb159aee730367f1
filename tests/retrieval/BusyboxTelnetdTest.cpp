// The client against a Telnet server we did not write: busybox's telnetd,
// which opens with options of its own (DO ECHO, DO NAWS, WILL SGA, ...) and
// runs fake-vigor.sh on a pseudo terminal in place of login.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DrayData.h"
#include "ReaderHarness.h"

extern char **environ;

namespace {

std::string FindBusybox() {
  for (const char *Path : {"/usr/bin/busybox", "/bin/busybox", "/usr/sbin/busybox"})
    if (access(Path, X_OK) == 0)
      return Path;
  return {};
}

// Listens on loopback and hands the one connection it accepts to
// "busybox telnetd -i", as inetd would. Ends the server when it goes.
class TBusyboxTelnetd {
public:
  explicit TBusyboxTelnetd(std::string ABusybox) : FBusybox(std::move(ABusybox)) {
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t Size = sizeof Address;
    bind(FListen, reinterpret_cast<sockaddr *>(&Address), sizeof Address);
    listen(FListen, 1);
    getsockname(FListen, reinterpret_cast<sockaddr *>(&Address), &Size);
    FPort = ntohs(Address.sin_port);
    FAcceptor = std::thread(&TBusyboxTelnetd::AcceptOne, this);
  }
  ~TBusyboxTelnetd() {
    FAcceptor.join();
    if (FChild > 0) {
      kill(FChild, SIGTERM);
      waitpid(FChild, nullptr, 0);
    }
    close(FListen);
  }
  std::uint16_t Port() const { return FPort; }

private:
  void AcceptOne() {
    pollfd Wait{FListen, POLLIN, 0};
    if (poll(&Wait, 1, 10000) <= 0)
      return;
    const int Socket = accept(FListen, nullptr, nullptr);
    if (Socket < 0)
      return;
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    for (int Fd : {0, 1, 2})
      posix_spawn_file_actions_adddup2(&Actions, Socket, Fd);
    const std::string Script = TONEGRAPH_RETRIEVAL_TESTS_DIR "/fake-vigor.sh";
    const char *Argv[] = {FBusybox.c_str(), "telnetd", "-i", "-K", "-f", "/dev/null",
                          "-l", Script.c_str(), nullptr};
    posix_spawn(&FChild, FBusybox.c_str(), &Actions, nullptr, const_cast<char **>(Argv), environ);
    posix_spawn_file_actions_destroy(&Actions);
    close(Socket);
  }

  std::string FBusybox;
  int FListen = -1;
  std::uint16_t FPort = 0;
  pid_t FChild = -1;
  std::thread FAcceptor;
};

// The logon our login script expects, with waits long enough for a real server.
TReaderSetup SetupFor(const TBusyboxTelnetd &AServer, const std::string &APassword) {
  TReaderSetup Setup;
  Setup.Port = AServer.Port();
  Setup.Password = APassword;
  Setup.RouterName = "Vigor";
  Setup.Timeouts = {5000, 5000};
  return Setup;
}

TEST(BusyboxTelnetd, RetrievalThroughARealTelnetServer) {
  const std::string Busybox = FindBusybox();
  if (Busybox.empty())
    GTEST_SKIP() << "busybox is not installed (scripts/deps installs busybox-static)";
  TBusyboxTelnetd Server(Busybox);
  TDrayData Data;
  const TReaderSetup Setup = SetupFor(Server, "s3cret");
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Complete) << Outcome.Reason;
  EXPECT_EQ(Outcome.Reason, "");
  EXPECT_EQ(Data.VDSLProfile(), vp17a);
  // The pseudo terminal echoes each command and ends lines in CR LF: the
  // trims must cut exactly the echo, the rule line and the prompt.
  const TTextLines Head(Data.Stats().begin(), Data.Stats().begin() + std::min<std::size_t>(8, Data.Stats().size()));
  const TTextLines ExpectedHead = {
      " answer of vdsl status bandinfo", "", " (LATN = Loop Attenuation, SATN = Signal Attenuation)",
      "", " [ STATUS ]",
      "  Running Mode            :      17A       State                : SHOWTIME",
      "  DS Actual Rate          :107737000 bps   US Actual Rate       : 36996000 bps", ""};
  EXPECT_EQ(Head, ExpectedHead);
  EXPECT_EQ(Data.HLogMultipliers()[1], 8);
  EXPECT_EQ(Data.HLogStatsDS()[4], TStatValue::Of(-7));
  EXPECT_EQ(Data.HLogStatsUS()[2], TStatValue::Of(-3));
  EXPECT_TRUE(Data.HLogStatsDS()[0].IsNull());
}

TEST(BusyboxTelnetd, WrongPasswordThroughARealTelnetServer) {
  const std::string Busybox = FindBusybox();
  if (Busybox.empty())
    GTEST_SKIP() << "busybox is not installed (scripts/deps installs busybox-static)";
  TBusyboxTelnetd Server(Busybox);
  TDrayData Data;
  TReaderSetup Setup = SetupFor(Server, "wrong");
  Setup.Op = troNone;
  const TReaderOutcome Outcome = RunReader(Setup, Data);
  EXPECT_EQ(Outcome.End, TRetrievalEnd::Refused);
  EXPECT_EQ(Outcome.Reason, "Invalid login");
}

} // namespace
