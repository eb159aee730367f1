// The simulated router's hostile acts, each at the step the options name.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include "RouterSession.h"
#include "TelnetParser.h"

using namespace Telnet;

namespace {
constexpr std::size_t LongLineBytes = 1 << 20;
constexpr int FloodRequests = 20000;
constexpr std::size_t TricklePausedBytes = 64;
constexpr std::size_t TrickleLaterPauseEvery = 1024;
} // namespace

bool TRouterSession::Spoil(std::string_view AText) {
  const std::string_view Head = AText.substr(0, MiddleOfText(AText));
  const std::string_view Tail = AText.substr(Head.size());
  switch (FOptions.Fault.Kind) {
  case TFaultKind::None: return SendText(AText);
  case TFaultKind::Silence: DiscardUntilClosed(); return false;
  case TFaultKind::Trickle: return SendTrickle(AText);
  case TFaultKind::Close: SendText(Head); return false;
  case TFaultKind::Reset: SendText(Head); Reset(); return false;
  case TFaultKind::NegotiationFlood: return SendText(Head) && SendFlood() && SendText(Tail);
  case TFaultKind::EndlessSubNegotiation: SendText(Head); return SendEndlessSubNegotiation();
  case TFaultKind::EndlessAnswer: SendText(Head); return SendEndless();
  case TFaultKind::PromptInData: return SendText(Head) && SendText(FPrompt) && SendText(Tail);
  case TFaultKind::Garbage: return SendText(Head) && SendText(GarbageBytes()) && SendText(Tail);
  case TFaultKind::LongLine:
    return SendText(Head) && SendText(std::string(LongLineBytes, 'x')) && SendText(Tail);
  case TFaultKind::HugeInteger: return SendText(WithHugeInteger(AText));
  }
  return false;
}

// One byte per packet: Nagle's algorithm would gather them again.
bool TRouterSession::SendTrickle(std::string_view AText) {
  const int On = 1;
  setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
  for (std::size_t I = 0; I < AText.size(); ++I) {
    if (!SendText(AText.substr(I, 1)))
      return false;
    if ((I < TricklePausedBytes || I % TrickleLaterPauseEvery == 0) && !Pause(1))
      return false;
  }
  return true;
}

// Requests a client must refuse, far more than it would queue answers for.
bool TRouterSession::SendFlood() {
  std::string Flood;
  for (int I = 0; I < FloodRequests; ++I)
    Flood += {static_cast<char>(IAC), static_cast<char>(DO), static_cast<char>(31)};
  return Send(Flood);
}

// A terminal-type sub-negotiation that never reaches its IAC SE: every byte
// after it belongs to the sub-negotiation, until the client gives up.
bool TRouterSession::SendEndlessSubNegotiation() {
  if (!Send(std::string{static_cast<char>(IAC), static_cast<char>(SB), static_cast<char>(OptTerminalType)}))
    return false;
  const std::string Block(65536, 'v');
  while (Send(Block)) {
  }
  return false;
}

// With a zero linger time the close sends a reset instead of a FIN.
void TRouterSession::Reset() {
  const linger Abort{1, 0};
  setsockopt(FSocket, SOL_SOCKET, SO_LINGER, &Abort, sizeof Abort);
}
