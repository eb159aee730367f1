#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "RetrievalExceptions.h"
#include "ScriptedPeer.h"
#include "TelnetClient.h"

namespace {

// Collects what the client hands to its data handler, from the receiving thread.
struct TCollector {
  std::mutex Lock;
  std::string Data;
  std::atomic<int> Calls{0};

  void Attach(TTelnetClient &AClient) {
    AClient.OnDataAvailable = [this](TTelnetClient &, const std::string &ABuffer) {
      std::lock_guard<std::mutex> Guard(Lock);
      Data += ABuffer;
      ++Calls;
    };
  }
  std::string Text() {
    std::lock_guard<std::mutex> Guard(Lock);
    return Data;
  }
  bool WaitFor(const std::string &AText) {
    for (int Tries = 0; Tries < 1000; ++Tries) {
      if (Text().find(AText) != std::string::npos)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
};

void ConnectTo(TTelnetClient &AClient, std::uint16_t APort) {
  AClient.SetHost("127.0.0.1");
  AClient.SetPort(APort);
  AClient.Connect();
}

// A port on loopback where nobody listens.
std::uint16_t ClosedPort() {
  const int Socket = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Address;
  bind(Socket, reinterpret_cast<sockaddr *>(&Address), sizeof Address);
  getsockname(Socket, reinterpret_cast<sockaddr *>(&Address), &Size);
  close(Socket);
  return ntohs(Address.sin_port);
}

TEST(TelnetClient, AnswersTerminalTypeNegotiationOnTheWire) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.Send(B({255, 253, 24}));
    if (!APeer.ReadUntil(B({255, 251, 24})))
      return;
    APeer.Send(B({255, 250, 24, 1, 255, 240}));
    APeer.ReadUntil(B({255, 240}));
  });
  TTelnetClient Client;
  TCollector Collector;
  Collector.Attach(Client);
  ConnectTo(Client, Peer.Port());
  ASSERT_TRUE(Peer.WaitDone());
  EXPECT_EQ(Peer.Received(), B({255, 251, 24, 255, 250, 24, 0}) + "dumb" + B({255, 240}));
  EXPECT_EQ(Collector.Calls.load(), 0);
  Client.Disconnect();
}

TEST(TelnetClient, CarriageReturnIsCrLfUntilThePeerSpeaksTelnet) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.ReadUntil("admin\r\n");
    APeer.Send(B({255, 241}) + "Password: ");
    APeer.ReadUntil("p?ssw?rd?\r");
  });
  TTelnetClient Client;
  TCollector Collector;
  Collector.Attach(Client);
  ConnectTo(Client, Peer.Port());
  Client.SendString("admin\r");
  ASSERT_TRUE(Collector.WaitFor("Password: "));
  Client.SendString("p\xC3\xA4ssw\xC3\xB6rd\xE2\x82\xAC\r");
  ASSERT_TRUE(Peer.WaitDone());
  EXPECT_EQ(Peer.Received(), "admin\r\np?ssw?rd?\r");
  Client.Disconnect();
}

TEST(TelnetClient, PeerClosingEndsTheConnectionQuietly) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.Send("bye\r\n");
    APeer.Close();
  });
  TTelnetClient Client;
  TCollector Collector;
  Collector.Attach(Client);
  ConnectTo(Client, Peer.Port());
  ASSERT_TRUE(Collector.WaitFor("bye\r\n"));
  for (int Tries = 0; Tries < 500 && Client.Connected(); ++Tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(Client.Connected());
  Client.SendString("still here\r"); // must neither raise nor crash
  Client.Disconnect();
}

// True when ACondition turned true within AWindow. For checks that something
// must not happen: a faulty client is given that long to show its fault.
bool HappensWithin(const std::function<bool()> &ACondition, std::chrono::milliseconds AWindow) {
  const auto Deadline = std::chrono::steady_clock::now() + AWindow;
  while (!ACondition()) {
    if (std::chrono::steady_clock::now() > Deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST(TelnetClient, NoDeliveryAfterDisconnectReturns) {
  std::atomic<bool> Flooding{true};
  TScriptedPeer Peer([&](TScriptedPeer &APeer) {
    while (Flooding.load()) {
      APeer.Send(std::string(512, 'x'));
      APeer.Pause(1);
    }
  });
  TTelnetClient Client;
  TCollector Collector;
  Collector.Attach(Client);
  ConnectTo(Client, Peer.Port());
  ASSERT_TRUE(Collector.WaitFor("xxxx"));
  Client.Disconnect();
  const int CallsAtDisconnect = Collector.Calls.load();
  EXPECT_FALSE(HappensWithin([&] { return Collector.Calls.load() != CallsAtDisconnect; },
                             std::chrono::milliseconds(100)));
  EXPECT_FALSE(Client.Connected());
  Flooding.store(false);
}

// The second text is sent only once the client has hung up from its handler.
TEST(TelnetClient, DisconnectFromTheDataHandlerEndsTheReceivingThread) {
  TScriptedPeer Peer([](TScriptedPeer &APeer) {
    APeer.Send("first");
    if (APeer.HoldWithoutReading(10000))
      APeer.Send("second");
  });
  TTelnetClient Client;
  std::atomic<int> Calls{0};
  Client.OnDataAvailable = [&](TTelnetClient &ASender, const std::string &) {
    ++Calls;
    ASender.Disconnect();
  };
  ConnectTo(Client, Peer.Port());
  ASSERT_TRUE(Peer.WaitDone());
  EXPECT_FALSE(HappensWithin([&] { return Calls.load() > 1; }, std::chrono::milliseconds(50)));
  EXPECT_EQ(Calls.load(), 1);
  EXPECT_FALSE(Client.Connected());
}

// A peer that floods us with requests and reads none of our answers leaves
// answers in our send queue behind its closed window. Our hang-up must still
// reach it: a FIN queued behind those answers never would.
TEST(TelnetClient, HangingUpReachesAPeerThatReadsNothing) {
  std::atomic<bool> Flooded{false};
  std::atomic<bool> HungUp{false};
  TScriptedPeer Peer([&](TScriptedPeer &APeer) {
    std::string Flood;
    for (int I = 0; I < 100000; ++I)
      Flood += B({255, 253, 31}); // IAC DO NAWS, answered with IAC WONT NAWS
    // 1.2 MB of answers: more than our send buffer and the receive buffer of
    // a peer that never reads hold.
    for (int I = 0; I < 4; ++I)
      APeer.Send(Flood);
    APeer.Send("end");
    Flooded.store(true);
    HungUp.store(APeer.HoldWithoutReading(60000));
  });
  TTelnetClient Client;
  TCollector Collector;
  Collector.Attach(Client);
  ConnectTo(Client, Peer.Port());
  ASSERT_TRUE(HappensWithin([&] { return Flooded.load(); }, std::chrono::milliseconds(60000)));
  // The whole flood is read: nothing unread to reset the connection.
  ASSERT_TRUE(HappensWithin([&] { return Collector.Text() == "end"; }, std::chrono::milliseconds(60000)));
  Client.Disconnect();
  EXPECT_TRUE(Peer.WaitDone(10000));
  EXPECT_TRUE(HungUp.load()) << "the peer never saw the client hang up";
}

struct TConnectFailure {
  const char *Name;
  std::string Host;
  std::uint16_t Port;
  std::string Message;
};

class TelnetConnectFailure : public ::testing::TestWithParam<TConnectFailure> {};

TEST_P(TelnetConnectFailure, RaisesWithTheReason) {
  const TConnectFailure &Case = GetParam();
  TTelnetClient Client;
  Client.SetHost(Case.Host);
  Client.SetPort(Case.Port);
  try {
    Client.Connect();
    FAIL() << "Connect did not raise";
  } catch (const ETelnetError &E) {
    EXPECT_EQ(std::string(E.what()), Case.Message);
  }
  EXPECT_FALSE(Client.Connected());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TelnetConnectFailure,
    ::testing::Values(TConnectFailure{"EmptyHost", "", 23, "A Host is required"},
                      TConnectFailure{"PortZero", "127.0.0.1", 0, "A Port is required"},
                      TConnectFailure{"NobodyListening", "127.0.0.1", ClosedPort(),
                                      "Connection refused"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

TEST(TelnetClient, UnresolvableHostRaisesTheResolverMessage) {
  TTelnetClient Client;
  Client.SetHost("no-such-router.invalid");
  EXPECT_THROW(Client.Connect(), ETelnetError);
}

// A listener whose backlog is full never answers a further SYN, just like a
// router that is switched off.
TEST(TelnetClient, UnansweredConnectGivesUpWithTimedOut) {
  const int Listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in Address{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Address;
  ASSERT_EQ(bind(Listener, reinterpret_cast<sockaddr *>(&Address), sizeof Address), 0);
  ASSERT_EQ(listen(Listener, 0), 0);
  getsockname(Listener, reinterpret_cast<sockaddr *>(&Address), &Size);
  // Connections accepted into the backlog stay open until the end.
  std::vector<std::unique_ptr<TTelnetClient>> Accepted;
  std::string Message;
  for (int Attempt = 0; Attempt < 8 && Message.empty(); ++Attempt) {
    auto Client = std::make_unique<TTelnetClient>();
    Client->SetHost("127.0.0.1");
    Client->SetPort(ntohs(Address.sin_port));
    Client->SetConnectTimeoutMs(300);
    try {
      Client->Connect();
      Accepted.push_back(std::move(Client));
    } catch (const ETelnetError &E) {
      Message = E.what();
    }
  }
  Accepted.clear();
  close(Listener);
  EXPECT_EQ(Message, "Connection timed out");
}

} // namespace
