#include <gtest/gtest.h>

#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "RouterSim.h"

namespace {

// A bare socket to the simulated router, to see its bytes as they are.
class TRawClient {
public:
  explicit TRawClient(std::uint16_t APort) {
    FSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_port = htons(APort);
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FConnected = connect(FSocket, reinterpret_cast<sockaddr *>(&Address), sizeof Address) == 0;
  }
  ~TRawClient() { close(FSocket); }
  bool Connected() const { return FConnected; }
  void Send(const std::string &ABytes) { send(FSocket, ABytes.data(), ABytes.size(), MSG_NOSIGNAL); }
  // Everything received until the text ends with AEnd (or 5 s without it).
  std::string ReadUntilEnd(const std::string &AEnd) {
    std::string Text;
    pollfd Wait{FSocket, POLLIN, 0};
    while (Text.size() < AEnd.size() || Text.compare(Text.size() - AEnd.size(), AEnd.size(), AEnd)) {
      char Buffer[4096];
      if (poll(&Wait, 1, 5000) <= 0)
        break;
      const ssize_t Count = recv(FSocket, Buffer, sizeof Buffer, 0);
      if (Count <= 0)
        break;
      Text.append(Buffer, static_cast<std::size_t>(Count));
    }
    return Text;
  }

private:
  int FSocket;
  bool FConnected;
};

const std::string DoTerminalType = "\xFF\xFD\x18";
const std::string WillTerminalType = "\xFF\xFB\x18";
const std::string TerminalTypeSend = "\xFF\xFA\x18\x01\xFF\xF0";

TEST(RouterSim, OpensNegotiationAndKeepsTheLogonDialogue) {
  TRouterSimOptions Options;
  Options.Name = "Vigor";
  TRouterSim Sim(Options);
  TRawClient Client(Sim.Start());
  ASSERT_TRUE(Client.Connected());
  const std::string Opening = Client.ReadUntilEnd("Account:");
  EXPECT_EQ(Opening.substr(0, 3), DoTerminalType);
  Client.Send(WillTerminalType);
  EXPECT_EQ(Client.ReadUntilEnd(TerminalTypeSend), TerminalTypeSend);
  Client.Send(std::string("\xFF\xFA\x18\x00" "dumb\xFF\xF0", 10) + "admin\r\n");
  EXPECT_EQ(Client.ReadUntilEnd("Password: "), "admin\r\nPassword: ");
  Client.Send("admin\r");
  EXPECT_EQ(Client.ReadUntilEnd("Vigor> "), "\r\n\r\nType ? for command help\r\n\r\nVigor> ");
  Client.Send("vdsl annex\r");
  EXPECT_EQ(Client.ReadUntilEnd("Vigor> "),
            "vdsl annex\r\n Supported annex   : A/B/C\r\n Current annex     : annex B\r\n\r\nVigor> ");
  Client.Send("vdsl foo\r");
  EXPECT_NE(Client.ReadUntilEnd("Vigor> ").find("% Valid subcommands are:"), std::string::npos);
}

TEST(RouterSim, WrongPasswordIsAskedAgain) {
  TRouterSim Sim({});
  TRawClient Client(Sim.Start());
  Client.ReadUntilEnd("Account:");
  Client.Send("admin\r");
  Client.ReadUntilEnd("Password: ");
  Client.Send("guess\r");
  EXPECT_EQ(Client.ReadUntilEnd("Password: "), "\r\nPassword: ");
}

TEST(RouterSim, StopEndsOpenConnectionsAndTheListener) {
  auto Sim = std::make_unique<TRouterSim>(TRouterSimOptions{});
  const std::uint16_t Port = Sim->Start();
  TRawClient Idle(Port);
  Idle.ReadUntilEnd("Account:");
  Sim.reset(); // must not wait for the idle client
  EXPECT_EQ(Idle.ReadUntilEnd("never"), "") << "the connection is closed";
  TRawClient Late(Port);
  EXPECT_FALSE(Late.Connected());
}

} // namespace
